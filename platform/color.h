#pragma once
// The two ways a colour is written down. A window's description states colours as 0x00BBGGRR
// (`Color`); the renderer's canvas holds pixels as 0xAARRGGBB (`Pixel`). They are distinct
// types so that one cannot be passed for the other; ToPixel is the one conversion.
#include <cstdint>

namespace kelto {

// A colour of a window or control: 0x00BBGGRR.
struct Color {
    uint32_t bgr = 0;
    constexpr Color() = default;
    constexpr explicit Color(uint32_t v) : bgr(v) {}
    constexpr bool operator==(const Color&) const = default;
};

constexpr Color Rgb(int r, int g, int b) {
    return Color(static_cast<uint32_t>(r) | static_cast<uint32_t>(g) << 8 |
                 static_cast<uint32_t>(b) << 16);
}

// A canvas pixel: 0xAARRGGBB.
struct Pixel {
    uint32_t argb = 0xFF000000u;
    // An opaque pixel from 0xRRGGBB.
    static constexpr Pixel Opaque(uint32_t rgb) { return Pixel(0xFF000000u | (rgb & 0xFFFFFFu)); }
    // A pixel with its alpha, as pictures hold them.
    static constexpr Pixel Argb(uint32_t argb) { return Pixel(argb); }
    constexpr uint32_t alpha() const { return argb >> 24; }
    // The same colour with another alpha, 0 to 255.
    constexpr Pixel withAlpha(uint32_t a) const { return Pixel(a << 24 | (argb & 0xFFFFFFu)); }
    constexpr bool operator==(const Pixel&) const = default;

private:
    constexpr explicit Pixel(uint32_t v) : argb(v) {}
};

// The one place a description colour becomes a pixel.
constexpr Pixel ToPixel(Color c) {
    return Pixel::Opaque((c.bgr & 0xFFu) << 16 | (c.bgr & 0xFF00u) | (c.bgr >> 16 & 0xFFu));
}

}  // namespace kelto
