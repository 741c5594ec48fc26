#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdlib>
#include <vector>

#include "game/lightning.h"
#include "platform/random.h"

namespace kelto {
namespace {

// Checks the shape every bolt must have: the first step from 38, then steps of at most one
// pixel, always inside 16..56.
void ExpectBoltShape(const std::array<int, kBoltLength>& ys) {
    EXPECT_LE(std::abs(ys[0] - 38), 1);
    for (int i = 0; i < kBoltLength; ++i) {
        ASSERT_GE(ys[i], 16) << "x = " << i + 1;
        ASSERT_LE(ys[i], 56) << "x = " << i + 1;
        if (i > 0) {
            ASSERT_LE(std::abs(ys[i] - ys[i - 1]), 1) << "x = " << i + 1;
        }
    }
}

TEST(Lightning, ConstantDrawsWalkToABoundAndBounce) {
    struct Case {
        float draw;
        int first, last, bounceLow, bounceHigh;  // heights at x = 1 and 532, then the bounce pair
    };
    const Case cases[] = {
        {0.0f, 37, 16, 16, 17},        // always up: 37 .. 16, then 15 bounces to 17
        {0.3333f, 37, 16, 16, 17},     // still the lower third
        {0.5f, 38, 38, 38, 38},        // always level
        {0.9999999f, 39, 56, 55, 56},  // always down: 39 .. 56, then 57 bounces to 55
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.draw);
        const auto ys = BoltHeights([&] { return c.draw; });
        ExpectBoltShape(ys);
        EXPECT_EQ(ys[0], c.first);
        EXPECT_EQ(ys[kBoltLength - 1], c.last);
        // Far from the start the walk only alternates between the two heights of the bounce.
        for (int i = 100; i < kBoltLength; ++i) {
            EXPECT_TRUE(ys[i] == c.bounceLow || ys[i] == c.bounceHigh) << "x = " << i + 1;
        }
    }
    // The up walk reaches the top bound exactly at x = 22 and bounces at x = 23.
    const auto up = BoltHeights([] { return 0.0f; });
    EXPECT_EQ(up[21], 16);
    EXPECT_EQ(up[22], 17);
    EXPECT_EQ(up[23], 16);
}

TEST(Lightning, ClockSeededBoltsStayInTheBand) {
    // Thousands of bolts drawn the way the game draws them: the classic generator, reseeded from
    // the time of day before every draw, at times spread over a whole day.
    ClassicRandom rng;
    std::vector<int> firsts;
    for (int i = 0; i < 3000; ++i) {
        const float seconds = static_cast<float>(i) * 28.8f + static_cast<float>(i % 64) / 64.0f;
        const auto ys = BoltHeights([&] {
            rng.Reseed(seconds);
            return rng.Next();
        });
        ExpectBoltShape(ys);
        firsts.push_back(ys[0]);
    }
    // All three first steps occur.
    for (int y : {37, 38, 39}) EXPECT_NE(std::count(firsts.begin(), firsts.end(), y), 0) << y;
}

}  // namespace
}  // namespace kelto
