#include <gtest/gtest.h>

#include "weekend/CourseFactor.h"

using namespace karven;

TEST(CourseFactor, RowsByCourseTypeAndSpeed) {
    const double expected[5][5] = {{0, 1.5, 2.5, 4.5, 6.0},
                                   {1.0, 2.0, 3.5, 4.5, 5.5},
                                   {1.0, 2.0, 3.0, 4.0, 5.0},
                                   {1.0, 1.5, 2.0, 2.5, 3.0},
                                   {1.0, 1.3, 1.6, 1.9, 2.2}};
    for (int c = 1; c <= 5; ++c)
        for (int s = 1; s <= 5; ++s)
            EXPECT_DOUBLE_EQ(CourseFactor(std::to_string(c), std::to_string(s)), expected[c - 1][s - 1]) << c << "," << s;
    EXPECT_DOUBLE_EQ(CourseFactor(" 2", "5x"), 5.5); // read leniently
    EXPECT_DOUBLE_EQ(CourseFactor("4.0", "2"), 1.5);
}

TEST(CourseFactor, AnyOtherValueIsZero) {
    for (const char* bad : {"0", "6", "-1", "2.5", "", "x"}) {
        EXPECT_EQ(CourseFactor(bad, "3"), 0) << bad;
        EXPECT_EQ(CourseFactor("3", bad), 0) << bad;
    }
}
