#include "platform/text.h"

#include <SDL.h>
#include <SDL_ttf.h>

#include <cmath>
#include <map>
#include <stdexcept>
#include <tuple>

#include "platform/canvas.h"

namespace kelto {
namespace {

// "Comic Sans MS" is drawn with Comfortaa; every other face with DejaVu Sans.
const char* PackagedFace(const Font& font) {
    return font.face == "Comic Sans MS" ? "comfortaa.ttf" : "dejavu-sans.ttf";
}

TTF_Font* Open(const Font& font) {
    static std::map<std::tuple<std::string, int, bool>, TTF_Font*> cache;
    const int px = FontPixels(font);
    auto key = std::make_tuple(std::string(PackagedFace(font)), px, font.bold);
    if (auto it = cache.find(key); it != cache.end()) return it->second;
    if (!TTF_WasInit() && TTF_Init() != 0) throw std::runtime_error(TTF_GetError());
    std::string_view bytes = PackagedFile(PackagedFace(font));
    TTF_Font* f = TTF_OpenFontRW(SDL_RWFromConstMem(bytes.data(), static_cast<int>(bytes.size())),
                                 1, px);
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

void DrawText(Canvas& c, const Font& font, const std::string& text, uint32_t bgrColor, int x, int y,
              int w, int h, TextAlign align, bool wrap) {
    if (text.empty() || w <= 0 || h <= 0) return;
    TTF_Font* f = Open(font);
    TTF_SetFontWrappedAlign(f, align == TextAlign::Center ? TTF_WRAPPED_ALIGN_CENTER
                                                          : TTF_WRAPPED_ALIGN_LEFT);
    const SDL_Color white{255, 255, 255, 255};
    SDL_Surface* s = wrap ? TTF_RenderUTF8_Blended_Wrapped(f, text.c_str(), white, w)
                          : TTF_RenderUTF8_Blended(f, text.c_str(), white);
    if (!s) return;
    SDL_Surface* argb = SDL_ConvertSurfaceFormat(s, SDL_PIXELFORMAT_ARGB8888, 0);
    SDL_FreeSurface(s);
    if (!argb) return;
    const Rect saved = c.clip;
    c.clip = c.clip.intersect({x, y, x + w, y + h});
    const int left = align == TextAlign::Center ? x + (w - argb->w) / 2 : x;
    const uint32_t rgb = ToArgb(bgrColor) & 0xFFFFFFu;
    SDL_LockSurface(argb);
    for (int row = 0; row < argb->h; ++row) {
        auto* line = reinterpret_cast<const uint32_t*>(static_cast<const char*>(argb->pixels) +
                                                       static_cast<size_t>(row) * argb->pitch);
        for (int col = 0; col < argb->w; ++col) {
            const uint32_t a = line[col] >> 24;
            if (a) c.Blend(left + col, y + row, a << 24 | rgb);
        }
    }
    SDL_UnlockSurface(argb);
    SDL_FreeSurface(argb);
    c.clip = saved;
}

}  // namespace kelto
