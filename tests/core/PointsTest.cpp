#include <gtest/gtest.h>

#include "season/Points.h"

using namespace karven;

TEST(Points, OnlyWholePlacesOneToEightScore) {
    EXPECT_EQ(PointsForResult("1"), 10);
    EXPECT_EQ(PointsForResult("8"), 1);
    EXPECT_EQ(PointsForResult(" 3"), 6);
    for (const char* none : {"", "0", "9", "12", "x", "2.5", "-1"}) EXPECT_EQ(PointsForResult(none), 0) << none;
}
