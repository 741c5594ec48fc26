#include "canvas.h"

#include <SDL.h>
#include <SDL_image.h>

#include <cstdio>
#include <stdexcept>

#include "gen_math.h"

namespace gen {

Rgba Mix(const Rgba& x, const Rgba& y, double t) {
    return {Lerp(x.r, y.r, t), Lerp(x.g, y.g, t), Lerp(x.b, y.b, t), Lerp(x.a, y.a, t)};
}

Rgba Scale(const Rgba& c, double k) {
    return {c.r * k, c.g * k, c.b * k, c.a};
}

Rgba Over(const Rgba& top, const Rgba& bottom) {
    double a = top.a + bottom.a * (1.0 - top.a);
    if (a <= 0) return {0, 0, 0, 0};
    double kb = bottom.a * (1.0 - top.a);
    return {(top.r * top.a + bottom.r * kb) / a, (top.g * top.a + bottom.g * kb) / a,
            (top.b * top.a + bottom.b * kb) / a, a};
}

Canvas::Canvas(int width, int height, Rgba fill)
    : width_(width), height_(height), pixels_(size_t(width) * height, fill) {}

void Canvas::Blend(int x, int y, const Rgba& c) {
    if (x < 0 || y < 0 || x >= width_ || y >= height_) return;
    At(x, y) = Over(c, At(x, y));
}

Canvas Canvas::Mirrored() const {
    Canvas m(width_, height_);
    for (int y = 0; y < height_; ++y) {
        for (int x = 0; x < width_; ++x) m.At(x, y) = At(width_ - 1 - x, y);
    }
    return m;
}

namespace {

Uint8 ToByte(double v) {
    return Uint8(int(Clamp01(v) * 255.0 + 0.5));
}

// Builds an SDL surface of the canvas; with_alpha selects RGBA32 or RGB24.
SDL_Surface* ToSurface(const Canvas& c, bool with_alpha) {
    SDL_Surface* s =
        SDL_CreateRGBSurfaceWithFormat(0, c.Width(), c.Height(), with_alpha ? 32 : 24,
                                       with_alpha ? SDL_PIXELFORMAT_RGBA32 : SDL_PIXELFORMAT_RGB24);
    if (!s) throw std::runtime_error(SDL_GetError());
    for (int y = 0; y < c.Height(); ++y) {
        Uint8* row = static_cast<Uint8*>(s->pixels) + size_t(y) * s->pitch;
        for (int x = 0; x < c.Width(); ++x) {
            const Rgba& p = c.At(x, y);
            if (with_alpha) {
                Uint8 a = ToByte(p.a);
                // Fully transparent pixels carry no colour, so the file does not depend on it.
                Uint8* q = row + x * 4;
                q[0] = a ? ToByte(p.r) : 0;
                q[1] = a ? ToByte(p.g) : 0;
                q[2] = a ? ToByte(p.b) : 0;
                q[3] = a;
            } else {
                Uint8* q = row + x * 3;
                q[0] = ToByte(p.r);
                q[1] = ToByte(p.g);
                q[2] = ToByte(p.b);
            }
        }
    }
    return s;
}

bool HasTransparency(const Canvas& c) {
    for (int y = 0; y < c.Height(); ++y) {
        for (int x = 0; x < c.Width(); ++x) {
            if (ToByte(c.At(x, y).a) != 255) return true;
        }
    }
    return false;
}

}  // namespace

void Canvas::SavePng(const std::string& path) const {
    SDL_Surface* s = ToSurface(*this, HasTransparency(*this));
    int rc = IMG_SavePNG(s, path.c_str());
    SDL_FreeSurface(s);
    if (rc != 0) throw std::runtime_error("cannot write " + path + ": " + IMG_GetError());
}

void Canvas::SaveBmp(const std::string& path) const {
    SDL_Surface* s = ToSurface(*this, false);
    int rc = SDL_SaveBMP(s, path.c_str());
    SDL_FreeSurface(s);
    if (rc != 0) throw std::runtime_error("cannot write " + path + ": " + SDL_GetError());
}

void Fade(Sound& s, double in_ms, double out_ms) {
    size_t n_in = size_t(in_ms * kSampleRate / 1000.0);
    size_t n_out = size_t(out_ms * kSampleRate / 1000.0);
    for (size_t i = 0; i < n_in && i < s.size(); ++i) {
        s[i] *= 0.5 - 0.5 * Cos(kPi * double(i) / double(n_in));
    }
    for (size_t i = 0; i < n_out && i < s.size(); ++i) {
        s[s.size() - 1 - i] *= 0.5 - 0.5 * Cos(kPi * double(i) / double(n_out));
    }
}

void Normalize(Sound& s, double peak) {
    double m = 0;
    for (double v : s) m = v > m ? v : (-v > m ? -v : m);
    if (m <= 0) return;
    for (double& v : s) v *= peak / m;
}

namespace {

void Put16(std::vector<Uint8>& b, unsigned v) {
    b.push_back(Uint8(v & 0xFF));
    b.push_back(Uint8((v >> 8) & 0xFF));
}
void Put32(std::vector<Uint8>& b, unsigned v) {
    Put16(b, v & 0xFFFF);
    Put16(b, v >> 16);
}
void PutTag(std::vector<Uint8>& b, const char* tag) {
    b.insert(b.end(), tag, tag + 4);
}

}  // namespace

void SaveWav(const Sound& s, const std::string& path) {
    unsigned data_bytes = unsigned(s.size() * 2);
    std::vector<Uint8> b;
    PutTag(b, "RIFF");
    Put32(b, 36 + data_bytes);
    PutTag(b, "WAVE");
    PutTag(b, "fmt ");
    Put32(b, 16);
    Put16(b, 1);  // PCM
    Put16(b, 1);  // mono
    Put32(b, kSampleRate);
    Put32(b, kSampleRate * 2);  // bytes per second
    Put16(b, 2);                // block align
    Put16(b, 16);               // bits per sample
    PutTag(b, "data");
    Put32(b, data_bytes);
    for (double v : s) {
        double x = Clamp(v, -1.0, 1.0) * 32767.0;
        int q = int(std::floor(x + 0.5));
        Put16(b, unsigned(q) & 0xFFFF);
    }
    FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) throw std::runtime_error("cannot write " + path);
    size_t written = std::fwrite(b.data(), 1, b.size(), f);
    std::fclose(f);
    if (written != b.size()) throw std::runtime_error("cannot write " + path);
}

}  // namespace gen
