#pragma once
// Whole-number window scaling for dense screens: every window's pixels are shown s times as
// large, nearest-neighbour, so the pictures stay sharp. Pure, so the choice can be tested.
#include <algorithm>
#include <cstdlib>
#include <optional>
#include <string>

namespace kelto {

inline constexpr int kMaxScale = 8;

// KELTO_SCALE forces a factor: a whole number 1..8; anything else is ignored.
inline std::optional<int> ParseScaleOverride(const char* text) {
    if (!text || !*text) return std::nullopt;
    char* end = nullptr;
    const long v = std::strtol(text, &end, 10);
    if (*end != '\0' || v < 1 || v > kMaxScale) return std::nullopt;
    return static_cast<int>(v);
}

struct ScaleInputs {
    int clientW = 0, clientH = 0;  // the window's client area at scale 1, pixels
    int frameW = 0, frameH = 0;    // what the decorations add (they do not scale)
    int usableW = 0, usableH = 0;  // the display's usable bounds, pixels
    float dpi = 0;                 // the display's diagonal dpi; 0 when unknown
};

// The factor a window is shown at: what the display's density asks for (its dpi over 96,
// rounded; without a believable dpi, how many 1920 x 1080 screens the display holds), but never
// more than keeps the window's outer size within 85 % of the usable bounds. At least 1.
inline int ChooseScale(const ScaleInputs& in) {
    int wanted;
    if (in.dpi >= 48 && in.dpi <= 1200) {
        wanted = static_cast<int>(in.dpi / 96.0f + 0.5f);
    } else {
        wanted = std::min(in.usableW / 1920, in.usableH / 1080);
    }
    wanted = std::clamp(wanted, 1, kMaxScale);
    int fits = 1;
    for (int s = 2; s <= wanted; ++s) {
        const long outerW = static_cast<long>(in.clientW) * s + in.frameW;
        const long outerH = static_cast<long>(in.clientH) * s + in.frameH;
        if (outerW * 100 > in.usableW * 85L || outerH * 100 > in.usableH * 85L) break;
        fits = s;
    }
    return fits;
}

}  // namespace kelto
