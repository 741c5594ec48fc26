// The whole-number scale a window is shown at on displays of different sizes and densities.
#include <gtest/gtest.h>

#include "platform/live/scale.h"

namespace kelto {
namespace {

struct ScaleCase {
    const char* display;
    int clientW, clientH;
    int usableW, usableH;
    float dpi;
    int expected;
};

TEST(ScaleTest, LargestWholeFactorTheDensityAsksForThatFitsTheDisplay) {
    // Windows: the main menu (349 x 410) and the game window (540 x 440), with a frame of
    // 8 x 31 pixels.
    const ScaleCase cases[] = {
        {"96 dpi full HD", 349, 410, 1920, 1040, 96, 1},
        {"96 dpi but huge", 349, 410, 5120, 2840, 96, 1},
        {"120 dpi laptop (125 %)", 540, 440, 1920, 1040, 120, 1},
        {"144 dpi (150 %) rounds up", 349, 410, 2560, 1400, 144, 2},
        {"192 dpi 4K", 540, 440, 3840, 2120, 192, 2},
        {"288 dpi 5K", 540, 440, 5120, 2840, 288, 3},
        {"192 dpi but short: 2 x 440 + 31 > 85 % of 1040", 540, 440, 1920, 1040, 192, 1},
        {"288 dpi, room for 2 only", 540, 440, 3840, 1400, 288, 2},
        {"unknown dpi, full HD", 540, 440, 1920, 1040, 0, 1},
        {"unknown dpi, 4K by size", 540, 440, 3840, 2160, 0, 2},
        {"absurd dpi counts as unknown", 349, 410, 1024, 740, 5000, 1},
        {"no display bounds", 349, 410, 0, 0, 192, 1},
        {"tiny screen", 540, 440, 640, 480, 96, 1},
        {"dense beyond eight", 10, 10, 8000, 8000, 1150, 8},
    };
    for (const auto& c : cases) {
        ScaleInputs in;
        in.clientW = c.clientW;
        in.clientH = c.clientH;
        in.frameW = 8;
        in.frameH = 31;
        in.usableW = c.usableW;
        in.usableH = c.usableH;
        in.dpi = c.dpi;
        EXPECT_EQ(ChooseScale(in), c.expected) << c.display;
    }
}

TEST(ScaleTest, ForcedFactorIsAWholeNumberFromOneToEight) {
    const std::pair<const char*, std::optional<int>> cases[] = {
        {nullptr, std::nullopt},
        {"", std::nullopt},
        {"1", 1},
        {"2", 2},
        {"8", 8},
        {"0", std::nullopt},
        {"9", std::nullopt},
        {"-2", std::nullopt},
        {"2x", std::nullopt},
        {"1.5", std::nullopt},
        {"abc", std::nullopt},
    };
    for (const auto& [text, expected] : cases) {
        EXPECT_EQ(ParseScaleOverride(text), expected) << (text ? text : "(unset)");
    }
}

}  // namespace
}  // namespace kelto
