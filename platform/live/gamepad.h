#pragma once
// A game controller drives the same keys as the keyboard: the d-pad or the left stick walks and
// jumps, the south button jumps, Start slides the menu bar, Back is Esc and the shoulder buttons
// save and load. Pure: controller events in, key changes out; the live backend feeds it SDL's
// game-controller events and hands the keys to the active window.
#include <algorithm>
#include <utility>
#include <vector>

#include "platform/runtime.h"

namespace kelto {

// Button and axis numbers as SDL's game-controller API counts them (checked where SDL is seen).
enum class PadButton {
    South = 0,  // A
    East = 1,
    West = 2,
    North = 3,
    Back = 4,
    Guide = 5,
    Start = 6,
    LeftStick = 7,
    RightStick = 8,
    LeftShoulder = 9,
    RightShoulder = 10,
    DpadUp = 11,
    DpadDown = 12,
    DpadLeft = 13,
    DpadRight = 14,
};
enum class PadAxis { LeftX = 0, LeftY = 1 };

struct KeyChange {
    int code;
    bool down;
    bool operator==(const KeyChange&) const = default;
};

class GamepadKeys {
public:
    // The stick counts as pressed past kPress and as released again inside kRelease, so that a
    // stick resting near the edge of the dead zone does not chatter.
    static constexpr int kPress = 16000;
    static constexpr int kRelease = 12000;

    static int KeyForButton(PadButton b) {
        switch (b) {
            case PadButton::DpadLeft:
                return kKeyLeft;
            case PadButton::DpadRight:
                return kKeyRight;
            case PadButton::DpadUp:
            case PadButton::South:
                return kKeyUp;
            case PadButton::Start:
                return kKeySpace;
            case PadButton::Back:
                return kKeyEscape;
            case PadButton::LeftShoulder:
                return kKeyF5;
            case PadButton::RightShoulder:
                return kKeyF8;
            default:
                return 0;
        }
    }

    // A button of controller `pad` went down or up.
    std::vector<KeyChange> Button(int pad, PadButton b, bool down) {
        const int key = KeyForButton(b);
        if (!key) return {};
        return Set(pad, static_cast<int>(b), key, down);
    }

    // An axis of controller `pad` moved to `value` (-32768..32767; up and left are negative).
    std::vector<KeyChange> Axis(int pad, PadAxis axis, int value) {
        const int negSource = axis == PadAxis::LeftX ? kStickLeft : kStickUp;
        const int negKey = axis == PadAxis::LeftX ? kKeyLeft : kKeyUp;
        const int posSource = axis == PadAxis::LeftX ? kStickRight : 0;
        const int posKey = axis == PadAxis::LeftX ? kKeyRight : 0;
        std::vector<KeyChange> out;
        auto apply = [&](int source, int key, int amount) {
            if (!source) return;
            const bool held = Holds(pad, source);
            const bool now = held ? amount > kRelease : amount >= kPress;
            if (now != held) {
                for (auto& c : Set(pad, source, key, now)) out.push_back(c);
            }
        };
        // Release before press, so that flicking the stick across gives Left up, then Right down.
        const bool negFirst = value >= 0;
        if (negFirst) apply(negSource, negKey, -value);
        apply(posSource, posKey, value);
        if (!negFirst) apply(negSource, negKey, -value);
        return out;
    }

    // Controller `pad` was unplugged: whatever it held is released.
    std::vector<KeyChange> Removed(int pad) {
        std::vector<KeyChange> out;
        std::vector<Held> mine;
        for (const auto& h : held_) {
            if (h.pad == pad) mine.push_back(h);
        }
        for (const auto& h : mine) {
            for (auto& c : Set(pad, h.source, h.key, false)) out.push_back(c);
        }
        return out;
    }

private:
    // Stick directions are sources of their own beside the buttons.
    static constexpr int kStickLeft = 100, kStickRight = 101, kStickUp = 102;
    struct Held {
        int pad, source, key;
    };

    bool Holds(int pad, int source) const {
        return std::any_of(held_.begin(), held_.end(),
                           [&](const Held& h) { return h.pad == pad && h.source == source; });
    }

    // A key goes down with every source that presses it (as a held key repeats) and up only
    // when the last source holding it lets go.
    std::vector<KeyChange> Set(int pad, int source, int key, bool down) {
        const bool held = Holds(pad, source);
        if (down) {
            if (!held) held_.push_back({pad, source, key});
            return {{key, true}};
        }
        if (!held) return {};
        std::erase_if(held_, [&](const Held& h) { return h.pad == pad && h.source == source; });
        const bool still =
            std::any_of(held_.begin(), held_.end(), [&](const Held& h) { return h.key == key; });
        if (still) return {};
        return {{key, false}};
    }

    std::vector<Held> held_;
};

// Hands key changes to the active window, as the keyboard does.
inline void DeliverKeys(Runtime& rt, const std::vector<KeyChange>& changes) {
    for (const auto& c : changes) {
        if (rt.ended()) return;
        if (c.down)
            rt.KeyDown(c.code);
        else
            rt.KeyUp(c.code);
    }
}

}  // namespace kelto
