#include "platform/picture.h"

#include <SDL.h>
#include <SDL_image.h>

#include <cstring>

#include "platform/files.h"

namespace kelto {

namespace embedded {
struct Entry {
    const char* name;
    const unsigned char* begin;
    const unsigned char* end;
};
extern const Entry kEntries[];
extern const size_t kEntryCount;
}  // namespace embedded

Picture DecodePicture(std::string_view bytes, std::string source) {
    if (bytes.empty() || bytes.size() > static_cast<size_t>(INT32_MAX)) return nullptr;
    SDL_RWops* rw = SDL_RWFromConstMem(bytes.data(), static_cast<int>(bytes.size()));
    if (!rw) return nullptr;
    SDL_Surface* loaded = IMG_Load_RW(rw, 1);
    if (!loaded) return nullptr;
    SDL_Surface* argb = SDL_ConvertSurfaceFormat(loaded, SDL_PIXELFORMAT_ARGB8888, 0);
    SDL_FreeSurface(loaded);
    if (!argb) return nullptr;
    auto bmp = std::make_shared<Bitmap>();
    bmp->width = argb->w;
    bmp->height = argb->h;
    bmp->source = std::move(source);
    bmp->pixels.resize(static_cast<size_t>(argb->w) * argb->h);
    SDL_LockSurface(argb);
    for (int y = 0; y < argb->h; ++y) {
        std::memcpy(&bmp->pixels[static_cast<size_t>(y) * argb->w],
                    static_cast<const char*>(argb->pixels) + static_cast<size_t>(y) * argb->pitch,
                    static_cast<size_t>(argb->w) * 4);
    }
    SDL_UnlockSurface(argb);
    SDL_FreeSurface(argb);
    return bmp;
}

Picture LoadPicture(const std::string& path) {
    auto bytes = ReadFile(path);
    if (!bytes) return nullptr;
    return DecodePicture(*bytes, ShownPath(path));
}

std::string_view PackagedFile(std::string_view name) {
    for (size_t i = 0; i < embedded::kEntryCount; ++i) {
        const auto& e = embedded::kEntries[i];
        if (name == e.name) {
            return {reinterpret_cast<const char*>(e.begin), static_cast<size_t>(e.end - e.begin)};
        }
    }
    return {};
}

Picture PackagedPicture(std::string_view name) {
    return DecodePicture(PackagedFile(name), std::string(name));
}

bool SavePng(const std::vector<uint32_t>& pixels, int width, int height, const std::string& path) {
    SDL_Surface* s = SDL_CreateRGBSurfaceWithFormatFrom(const_cast<uint32_t*>(pixels.data()), width,
                                                        height, 32, width * 4,
                                                        SDL_PIXELFORMAT_ARGB8888);
    if (!s) return false;
    bool ok = IMG_SavePNG(s, path.c_str()) == 0;
    SDL_FreeSurface(s);
    return ok;
}

}  // namespace kelto
