// Pixel and sample buffers of the asset generator and the writers of PNG, BMP and WAV files.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace gen {

// A colour with components in [0, 1] (alpha 1 = opaque).
struct Rgba {
    double r = 0;
    double g = 0;
    double b = 0;
    double a = 1;
};

inline Rgba Rgb8(int r, int g, int b, int a = 255) {
    return {r / 255.0, g / 255.0, b / 255.0, a / 255.0};
}
Rgba Mix(const Rgba& x, const Rgba& y, double t);
Rgba Scale(const Rgba& c, double k);  // colour times k, alpha kept
// Paints `top` over `bottom` (both straight alpha).
Rgba Over(const Rgba& top, const Rgba& bottom);

class Canvas {
public:
    Canvas(int width, int height, Rgba fill = {0, 0, 0, 0});
    int Width() const { return width_; }
    int Height() const { return height_; }
    Rgba& At(int x, int y) { return pixels_[size_t(y) * width_ + x]; }
    const Rgba& At(int x, int y) const { return pixels_[size_t(y) * width_ + x]; }
    void Blend(int x, int y, const Rgba& c);  // paints c over the pixel, ignoring points outside
    Canvas Mirrored() const;                  // left-right mirror image

    // Writers: PNG keeps alpha, BMP is 24-bit without alpha.
    void SavePng(const std::string& path) const;
    void SaveBmp(const std::string& path) const;

private:
    int width_;
    int height_;
    std::vector<Rgba> pixels_;
};

// Renders a canvas with `ss` x `ss` samples per pixel: shade(x, y) gets the position in pixel
// units (0..width) and returns the colour of that point.
template <typename Shade>
Canvas Supersample(int width, int height, int ss, Shade shade) {
    Canvas c(width, height);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            double r = 0, g = 0, b = 0, a = 0;
            for (int sy = 0; sy < ss; ++sy) {
                for (int sx = 0; sx < ss; ++sx) {
                    Rgba s = shade(x + (sx + 0.5) / ss, y + (sy + 0.5) / ss);
                    r += s.r * s.a;
                    g += s.g * s.a;
                    b += s.b * s.a;
                    a += s.a;
                }
            }
            Rgba& p = c.At(x, y);
            if (a > 0) {
                p = {r / a, g / a, b / a, a / (ss * ss)};
            } else {
                p = {0, 0, 0, 0};
            }
        }
    }
    return c;
}

// Mono 16-bit PCM sound at 22050 Hz, samples in [-1, 1].
inline constexpr int kSampleRate = 22050;
using Sound = std::vector<double>;
// Fades in over `in_ms` and out over `out_ms` milliseconds (raised cosine), to avoid clicks.
void Fade(Sound& s, double in_ms, double out_ms);
// Scales the sound so that its loudest sample reaches `peak`.
void Normalize(Sound& s, double peak);
void SaveWav(const Sound& s, const std::string& path);

}  // namespace gen
