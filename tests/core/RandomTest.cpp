#include <gtest/gtest.h>

#include "shell/Random.h"

using namespace karven;

TEST(GameRandom, KnownSequenceAndReproducibleReseeds) {
    // Seed 0 spreads over the state by SplitMix64; the first outputs of xoshiro256** from there.
    GameRandom g(0);
    EXPECT_EQ(g.Bits(), 0x99ec5f36cb75f2b4ull);
    EXPECT_EQ(g.Bits(), 0xbf6e1f784956452aull);
    EXPECT_EQ(g.Bits(), 0x1a5f849d4933e6e0ull);

    GameRandom first(0);
    EXPECT_EQ(first.Next(), double(0x99ec5f36cb75f2b4ull >> 11) * 0x1.0p-53);

    // A reseed drops what was made from the old seed: the next draw is the first of the new one.
    GameRandom a(5), b(5);
    for (int i = 0; i < 3; ++i) a.Next();
    a.Reseed();
    b.Reseed();
    GameRandom c(5);
    c.Reseed();
    for (int i = 0; i < 100; ++i) {
        double v = a.Next();
        EXPECT_EQ(v, c.Next());
        EXPECT_GE(v, 0.0);
        EXPECT_LT(v, 1.0);
    }
    EXPECT_NE(b.Next(), GameRandom(5).Next()) << "each reseed moves on to a new seed";
}
