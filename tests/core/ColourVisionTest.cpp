// Lines a colour-blind player can tell apart: the colour difference against published values, the
// simulations' own behaviour, and the charts' choice of shades and looks that follows from them.
#include <gtest/gtest.h>

#include "odds/ChartColours.h"
#include "odds/ColourVision.h"

using namespace karven;

TEST(ColourVision, TheDifferenceIsCiede2000AndTheSimulationsConfuseWhatTheyShould) {
    // Sharma, Wu and Dalal's test data.
    EXPECT_NEAR(Ciede2000({50, 2.6772, -79.7751}, {50, 0, -82.7485}), 2.0425, 1e-4);
    EXPECT_NEAR(Ciede2000({50, 0, 0}, {50, -1, 2}), 2.3669, 1e-4);
    EXPECT_NEAR(Ciede2000({50, 2.5, 0}, {73, 25, -18}), 27.1492, 1e-4);
    EXPECT_NEAR(Ciede2000({50, 2.49, -0.001}, {50, -2.49, 0.0011}), 7.2195, 1e-4);
    EXPECT_EQ(Ciede2000(ToLab({10, 200, 30}), ToLab({10, 200, 30})), 0);

    // Grey is grey to every eye; red and green are far apart to most, near to a deutan.
    for (Vision v : Visions) {
        const ChartRgb grey = SeenWith({128, 128, 128}, v);
        EXPECT_NEAR(grey.r, 128, 2);
        EXPECT_NEAR(grey.g, 128, 2);
        EXPECT_NEAR(grey.b, 128, 2);
    }
    const ChartRgb red{200, 40, 40}, green{0, 150, 0};
    EXPECT_GT(Ciede2000(ToLab(red), ToLab(green)), 50);
    EXPECT_LT(Ciede2000(ToLab(SeenWith(red, Vision::Deutan)), ToLab(SeenWith(green, Vision::Deutan))), 10);
    EXPECT_LT(LeastDifference(red, green), 10);
    EXPECT_FALSE(LookAlike(red, green));
    EXPECT_FALSE(ApartForEveryEye(red, green)) << "far apart in RGB, alike to a deutan";
    EXPECT_TRUE(ApartForEveryEye({0, 150, 0}, {80, 80, 200}));
    EXPECT_FALSE(ApartForEveryEye({200, 20, 20}, {190, 30, 25})) << "alike to every eye";
}

TEST(ColourVision, AColourAlikeToAnyEyeTakesAnotherShadeElseAnotherLook) {
    ShadeChooser chooser;
    const ChartRgb red{200, 40, 40}, green{0, 150, 0};
    EXPECT_EQ(chooser.Choose({red}, "01"), 0);
    // The green's own colour looks like the red to a deutan: a lighter shade that does not.
    const ChartRgb lightGreen{130, 230, 130};
    ASSERT_GE(LeastDifference(red, lightGreen), 10);
    EXPECT_EQ(chooser.Choose({green, lightGreen}, "02"), 1);
    EXPECT_EQ(chooser.LookKey("02"), "02") << "its colour tells it apart";
    // No shade every eye tells apart: one the seeing eye does, its lines taking their looks after
    // the red's; with none of either, its own colour.
    EXPECT_EQ(chooser.Choose({lightGreen, green}, "03"), 1);
    EXPECT_EQ(chooser.LookKey("03"), "01");
    EXPECT_EQ(chooser.Choose({red}, "04"), 0);
    EXPECT_EQ(chooser.LookKey("04"), "01");
    EXPECT_EQ(chooser.LookKey("09"), "09") << "a colour never chosen is its own key";

    LookCounter looks;
    EXPECT_EQ(looks.Next(chooser.LookKey("01")), 0);
    EXPECT_EQ(looks.Next(chooser.LookKey("01")), 1);
    EXPECT_EQ(looks.Next(chooser.LookKey("03")), 2) << "the look-alike's first car: a look of its own";
    EXPECT_EQ(looks.Next(chooser.LookKey("03")), 3);
    EXPECT_EQ(looks.Next(chooser.LookKey("02")), 0);
}
