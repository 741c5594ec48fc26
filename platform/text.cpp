#include "platform/text.h"

#include <SDL.h>
#include <SDL_ttf.h>

#include <algorithm>
#include <cmath>
#include <map>
#include <stdexcept>
#include <tuple>
#include <vector>

#include "platform/canvas.h"

namespace kelto {
namespace {

// "Comic Sans MS" is drawn with Comfortaa; every other face with DejaVu Sans.
const char* PackagedFace(const Font& font) {
    return font.face == "Comic Sans MS" ? "comfortaa.ttf" : "dejavu-sans.ttf";
}

TTF_Font* Open(const Font& font) {
    // Fonts stay open for the whole run; the cache is never destroyed, so they stay reachable.
    static auto& cache = *new std::map<std::tuple<std::string, int, bool>, TTF_Font*>;
    const int px = FontPixels(font);
    auto key = std::make_tuple(std::string(PackagedFace(font)), px, font.bold);
    if (auto it = cache.find(key); it != cache.end()) return it->second;
    if (!TTF_WasInit() && TTF_Init() != 0) throw std::runtime_error(TTF_GetError());
    std::string_view bytes = PackagedFile(PackagedFace(font));
    TTF_Font* f =
        TTF_OpenFontRW(SDL_RWFromConstMem(bytes.data(), static_cast<int>(bytes.size())), 1, px);
    if (!f) throw std::runtime_error(std::string("font: ") + TTF_GetError());
    if (font.bold) TTF_SetFontStyle(f, TTF_STYLE_BOLD);
    cache.emplace(key, f);
    return f;
}

}  // namespace

int FontPixels(const Font& font) {
    // Comfortaa runs about a tenth wider than the face it stands in for; drawing it a tenth
    // smaller keeps every caption inside the box the layout gives it.
    const double scale = font.face == "Comic Sans MS" ? 0.9 : 1.0;
    return std::max(1, static_cast<int>(std::lround(font.size * 96.0 / 72.0 * scale)));
}

std::pair<int, int> MeasureText(const Font& font, const std::string& text) {
    TTF_Font* f = Open(font);
    int w = 0, h = 0;
    if (!text.empty()) TTF_SizeUTF8(f, text.c_str(), &w, &h);
    return {w, std::max(h, TTF_FontHeight(f))};
}

namespace {

// A text drawn once as coverage values, kept for the repaints that follow.
struct TextMask {
    int width = 0, height = 0;
    std::vector<uint8_t> alpha;
};

const TextMask& RenderedText(const Font& font, const std::string& text, int wrapWidth,
                             TextAlign align) {
    using Key = std::tuple<std::string, float, bool, std::string, int, int>;
    // A handful of texts change often (the clock's); a small cache emptied when full is enough.
    static auto& cache = *new std::map<Key, TextMask>;
    Key key{font.face, font.size, font.bold, text, wrapWidth, static_cast<int>(align)};
    if (auto it = cache.find(key); it != cache.end()) return it->second;
    if (cache.size() >= 256) cache.clear();
    TextMask& mask = cache[key];
    TTF_Font* f = Open(font);
    TTF_SetFontWrappedAlign(
        f, align == TextAlign::Center ? TTF_WRAPPED_ALIGN_CENTER : TTF_WRAPPED_ALIGN_LEFT);
    const SDL_Color white{255, 255, 255, 255};
    SDL_Surface* s = wrapWidth > 0
                         ? TTF_RenderUTF8_Blended_Wrapped(f, text.c_str(), white, wrapWidth)
                         : TTF_RenderUTF8_Blended(f, text.c_str(), white);
    SDL_Surface* argb = s ? SDL_ConvertSurfaceFormat(s, SDL_PIXELFORMAT_ARGB8888, 0) : nullptr;
    SDL_FreeSurface(s);
    if (!argb) return mask;
    mask.width = argb->w;
    mask.height = argb->h;
    mask.alpha.resize(static_cast<size_t>(argb->w) * argb->h);
    SDL_LockSurface(argb);
    for (int row = 0; row < argb->h; ++row) {
        auto* line = reinterpret_cast<const uint32_t*>(static_cast<const char*>(argb->pixels) +
                                                       static_cast<size_t>(row) * argb->pitch);
        for (int col = 0; col < argb->w; ++col) {
            mask.alpha[static_cast<size_t>(row) * argb->w + col] = line[col] >> 24;
        }
    }
    SDL_UnlockSurface(argb);
    SDL_FreeSurface(argb);
    return mask;
}

}  // namespace

namespace {

// Draws one text (a paragraph, when wrapping) with its top at y; returns its height.
int DrawMask(Canvas& c, const TextMask& mask, Pixel ink, int x, int y, int w, TextAlign align) {
    const int left = align == TextAlign::Center ? x + (w - mask.width) / 2 : x;
    for (int row = 0; row < mask.height; ++row) {
        for (int col = 0; col < mask.width; ++col) {
            const uint32_t a = mask.alpha[static_cast<size_t>(row) * mask.width + col];
            if (a) c.Blend(left + col, y + row, ink.withAlpha(a));
        }
    }
    return mask.height;
}

}  // namespace

void DrawText(Canvas& c, const Font& font, const std::string& text, Color color, int x, int y,
              int w, int h, TextAlign align, bool wrap) {
    if (text.empty() || w <= 0 || h <= 0) return;
    const Rect saved = c.clip;
    c.clip = c.clip.intersect({x, y, x + w, y + h});
    const Pixel rgb = ToPixel(color);
    if (!wrap) {
        DrawMask(c, RenderedText(font, text, 0, align), rgb, x, y, w, align);
    } else {
        // Each line break starts a paragraph of its own, wrapped alone, so that a line that
        // fits is never broken because of the break that ends it.
        int top = y;
        size_t start = 0;
        while (start <= text.size()) {
            const size_t end = std::min(text.find('\n', start), text.size());
            const std::string paragraph = text.substr(start, end - start);
            top += paragraph.empty() ? TTF_FontLineSkip(Open(font))
                                     : DrawMask(c, RenderedText(font, paragraph, w, align), rgb, x,
                                                top, w, align);
            start = end + 1;
        }
    }
    c.clip = saved;
}

}  // namespace kelto
