// A game controller drives the active window with the keyboard's key codes.
#include <gtest/gtest.h>

#include <sstream>

#include "platform/headless/headless_backend.h"
#include "platform/live/gamepad.h"
#include "platform/runtime.h"

namespace kelto {
namespace {

struct KeyWindow : Window {
    explicit KeyWindow(std::vector<std::string>& log) : Window("W"), log(log) {
        SetClientSize(300, 300);
    }
    void KeyDown(int k) override { log.push_back("down " + std::to_string(k)); }
    void KeyUp(int k) override { log.push_back("up " + std::to_string(k)); }
    std::vector<std::string>& log;
};

// A synthetic controller event: a button of pad `pad` going down or up, or an axis moving.
struct PadEvent {
    int pad;
    bool isAxis;
    int which;  // PadButton or PadAxis
    int value;  // button: 1 down, 0 up; axis: its position
};

struct GamepadTest : ::testing::Test {
    std::ostringstream out;
    HeadlessBackend backend{out};
    Runtime runtime{backend};
    std::vector<std::string> log;
    GamepadKeys pad;

    void SetUp() override {
        runtime.RegisterWindow("W", [this] { return std::make_unique<KeyWindow>(log); });
        runtime.Deliver([&] { runtime.Show("W"); });
    }
    std::vector<std::string> Feed(const std::vector<PadEvent>& events) {
        log.clear();
        for (const auto& e : events) {
            if (e.isAxis)
                DeliverKeys(runtime, pad.Axis(e.pad, static_cast<PadAxis>(e.which), e.value));
            else
                DeliverKeys(runtime, pad.Button(e.pad, static_cast<PadButton>(e.which), e.value));
        }
        return log;
    }
};

PadEvent Press(PadButton b, int pad = 0) {
    return {pad, false, static_cast<int>(b), 1};
}
PadEvent Release(PadButton b, int pad = 0) {
    return {pad, false, static_cast<int>(b), 0};
}
PadEvent Stick(PadAxis a, int value, int pad = 0) {
    return {pad, true, static_cast<int>(a), value};
}

using V = std::vector<std::string>;

TEST_F(GamepadTest, ButtonsGiveTheKeysOfTheKeyboard) {
    const std::pair<PadButton, int> cases[] = {
        {PadButton::DpadLeft, 37},      {PadButton::DpadRight, 39},      {PadButton::DpadUp, 38},
        {PadButton::South, 38},         {PadButton::Start, 32},          {PadButton::Back, 27},
        {PadButton::LeftShoulder, 116}, {PadButton::RightShoulder, 119},
    };
    for (const auto& [button, key] : cases) {
        const std::string k = std::to_string(key);
        EXPECT_EQ(Feed({Press(button), Release(button)}), (V{"down " + k, "up " + k}))
            << static_cast<int>(button);
    }
    // Buttons with no key of their own reach no window.
    EXPECT_EQ(Feed({Press(PadButton::East), Release(PadButton::East), Press(PadButton::DpadDown),
                    Press(PadButton::Guide)}),
              V{});
}

TEST_F(GamepadTest, StickPressesOnlyPastTheDeadZoneAndReleasesOnComingBack) {
    EXPECT_EQ(Feed({Stick(PadAxis::LeftX, 9000), Stick(PadAxis::LeftX, -15000),
                    Stick(PadAxis::LeftY, 15000)}),
              V{});
    EXPECT_EQ(Feed({Stick(PadAxis::LeftX, 20000), Stick(PadAxis::LeftX, 32767),
                    Stick(PadAxis::LeftX, 14000), Stick(PadAxis::LeftX, 3000)}),
              (V{"down 39", "up 39"}));
    EXPECT_EQ(Feed({Stick(PadAxis::LeftY, -32768), Stick(PadAxis::LeftY, 0)}),
              (V{"down 38", "up 38"}));
    // Pushing the stick down is not a key; flicking it from left to right lets Left go first.
    EXPECT_EQ(
        Feed({Stick(PadAxis::LeftY, 32767), Stick(PadAxis::LeftY, 0), Stick(PadAxis::LeftX, -30000),
              Stick(PadAxis::LeftX, 30000), Stick(PadAxis::LeftX, 0)}),
        (V{"down 37", "up 37", "down 39", "up 39"}));
}

TEST_F(GamepadTest, AKeyHeldByTwoControlsGoesUpWhenTheLastLetsGo) {
    EXPECT_EQ(Feed({Press(PadButton::DpadRight), Stick(PadAxis::LeftX, 30000),
                    Release(PadButton::DpadRight), Stick(PadAxis::LeftX, 0)}),
              (V{"down 39", "down 39", "up 39"}));
    EXPECT_EQ(Feed({Press(PadButton::South), Press(PadButton::DpadUp, 1), Release(PadButton::South),
                    Release(PadButton::DpadUp, 1)}),
              (V{"down 38", "down 38", "up 38"}));
    // A release with nothing held is no key.
    EXPECT_EQ(Feed({Release(PadButton::Start)}), V{});
}

TEST_F(GamepadTest, UnpluggingAControllerReleasesWhatItHeld) {
    Feed({Press(PadButton::DpadLeft, 3), Press(PadButton::South, 3), Press(PadButton::South, 4)});
    log.clear();
    DeliverKeys(runtime, pad.Removed(3));
    EXPECT_EQ(log, (V{"up 37"}));  // Up is still held on controller 4
    log.clear();
    DeliverKeys(runtime, pad.Removed(4));
    EXPECT_EQ(log, (V{"up 38"}));
}

}  // namespace
}  // namespace kelto
