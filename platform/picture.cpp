#include "platform/picture.h"

#include <SDL.h>
#include <SDL_image.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <map>
#include <tuple>

#include "platform/files.h"
#include "platform/gif.h"

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

namespace {

// The largest picture decoded: 16 million pixels, no side over 16384.
constexpr uint64_t kMaxPixels = 16u << 20;
constexpr uint32_t kMaxSide = 16384;

uint32_t Be16(std::string_view b, size_t at) {
    return uint8_t(b[at]) << 8 | uint8_t(b[at + 1]);
}
uint32_t Le16(std::string_view b, size_t at) {
    return uint8_t(b[at]) | uint8_t(b[at + 1]) << 8;
}
uint32_t Be32(std::string_view b, size_t at) {
    return Be16(b, at) << 16 | Be16(b, at + 2);
}
uint32_t Le32(std::string_view b, size_t at) {
    return Le16(b, at) | Le16(b, at + 2) << 16;
}

bool IsOpaque(const Bitmap& b) {
    return std::all_of(b.pixels.begin(), b.pixels.end(),
                       [](uint32_t p) { return p >> 24 == 0xFF; });
}

bool SizeAllowed(uint64_t w, uint64_t h) {
    return w > 0 && h > 0 && w <= kMaxSide && h <= kMaxSide && w * h <= kMaxPixels;
}

// The size a BMP, GIF, JPEG or PNG header announces must be allowed before a decoder allocates
// for it. False for anything else, and for a header too short to tell.
bool HeaderAllowed(std::string_view b, const char* type) {
    const std::string_view t = type;
    if (t == "PNG") return b.size() >= 24 && SizeAllowed(Be32(b, 16), Be32(b, 20));
    if (t == "BMP") {
        if (b.size() < 26) return false;
        const uint32_t header = Le32(b, 14);
        if (header == 12) return SizeAllowed(Le16(b, 18), Le16(b, 20));
        const int64_t w = int32_t(Le32(b, 18)), h = int32_t(Le32(b, 22));
        return SizeAllowed(w < 0 ? -w : w, h < 0 ? -h : h);
    }
    if (t == "GIF") {
        // The screen, then the first image (the one decoded) after the extensions before it.
        if (b.size() < 13 || !SizeAllowed(Le16(b, 6), Le16(b, 8))) return false;
        size_t at = 13;
        if (b[10] & 0x80) at += 3u << ((b[10] & 7) + 1);
        while (at < b.size()) {
            if (b[at] == 0x2C)
                return at + 9 <= b.size() && SizeAllowed(Le16(b, at + 5), Le16(b, at + 7));
            if (b[at] != 0x21 || at + 2 > b.size()) return false;
            at += 2;
            while (at < b.size() && b[at] != 0) at += 1 + uint8_t(b[at]);
            ++at;
        }
        return false;
    }
    if (t == "JPG") {
        // The frame header (SOF0 to SOF15, not DHT, JPG or DAC) before the scan.
        for (size_t at = 2; at + 4 <= b.size();) {
            if (uint8_t(b[at]) != 0xFF) return false;
            const uint8_t marker = uint8_t(b[at + 1]);
            if (marker == 0xFF) {
                ++at;
                continue;
            }
            if (marker == 0xD8 || (marker >= 0xD0 && marker <= 0xD7) || marker == 0x01) {
                at += 2;
                continue;
            }
            if (marker == 0xDA || marker == 0xD9) return false;
            if (marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 &&
                marker != 0xCC)
                return at + 9 <= b.size() && SizeAllowed(Be16(b, at + 7), Be16(b, at + 5));
            at += 2 + Be16(b, at + 2);
        }
        return false;
    }
    return false;
}

}  // namespace

Picture DecodePicture(std::string_view bytes, std::string source) {
    if (bytes.empty() || bytes.size() > static_cast<size_t>(INT32_MAX)) return nullptr;
    SDL_RWops* rw = SDL_RWFromConstMem(bytes.data(), static_cast<int>(bytes.size()));
    if (!rw) return nullptr;
    // Only the four picture formats, told by their content, and only of a sane size: the other
    // decoders of the image library are never reached.
    const char* type = IMG_isBMP(rw)   ? "BMP"
                       : IMG_isGIF(rw) ? "GIF"
                       : IMG_isJPG(rw) ? "JPG"
                       : IMG_isPNG(rw) ? "PNG"
                                       : nullptr;
    SDL_Surface* loaded = nullptr;
    if (type && HeaderAllowed(bytes, type)) {
        const std::string_view t = type;
        if (t == "GIF") {
            // The image library's GIF loader frees memory it does not own on some damaged
            // files; GIFs go through our own small decoder instead.
            SDL_RWclose(rw);
            auto gif = DecodeGif(bytes, static_cast<int>(kMaxSide));
            if (gif) {
                gif->source = std::move(source);
                gif->opaque = IsOpaque(*gif);
            }
            return gif;
        }
        loaded = t == "BMP"   ? IMG_LoadBMP_RW(rw)
                 : t == "JPG" ? IMG_LoadJPG_RW(rw)
                              : IMG_LoadPNG_RW(rw);
    }
    SDL_RWclose(rw);
    if (!loaded) return nullptr;
    SDL_Surface* argb = SDL_ConvertSurfaceFormat(loaded, SDL_PIXELFORMAT_ARGB8888, 0);
    SDL_FreeSurface(loaded);
    if (!argb) return nullptr;
    if (!SizeAllowed(static_cast<uint64_t>(argb->w), static_cast<uint64_t>(argb->h))) {
        SDL_FreeSurface(argb);
        return nullptr;
    }
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
    bmp->opaque = IsOpaque(*bmp);
    return bmp;
}

namespace {

// What identifies a file's content: its size and two independent 64-bit hashes of its bytes.
struct ContentKey {
    size_t size;
    uint64_t fnv;
    size_t std;
    std::string source;
    bool operator<(const ContentKey& o) const {
        return std::tie(size, fnv, std, source) < std::tie(o.size, o.fnv, o.std, o.source);
    }
};

ContentKey KeyOf(std::string_view bytes, const std::string& source) {
    uint64_t h = 14695981039346656037ull;
    for (char c : bytes) h = (h ^ static_cast<uint8_t>(c)) * 1099511628211ull;
    return {bytes.size(), h, std::hash<std::string_view>{}(bytes), source};
}

// Pictures still shown somewhere, by the content they were decoded from. Nothing is kept once
// the last control lets go of a picture.
std::map<ContentKey, std::weak_ptr<const Bitmap>>& Decoded() {
    static std::map<ContentKey, std::weak_ptr<const Bitmap>> decoded;
    return decoded;
}

}  // namespace

Picture LoadPicture(const std::string& path) {
    // The file is read every time, so a changed file gives the new picture; the same bytes
    // again give the pixels already decoded from them.
    auto bytes = ReadFile(path);
    if (!bytes) return nullptr;
    auto& decoded = Decoded();
    std::erase_if(decoded, [](const auto& entry) { return entry.second.expired(); });
    ContentKey key = KeyOf(*bytes, ShownPath(path));
    if (auto it = decoded.find(key); it != decoded.end()) return it->second.lock();
    Picture p = DecodePicture(*bytes, key.source);
    if (p) decoded.emplace(std::move(key), p);
    return p;
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
    SDL_Surface* s =
        SDL_CreateRGBSurfaceWithFormatFrom(const_cast<uint32_t*>(pixels.data()), width, height, 32,
                                           width * 4, SDL_PIXELFORMAT_ARGB8888);
    if (!s) return false;
    bool ok = IMG_SavePNG(s, path.c_str()) == 0;
    SDL_FreeSurface(s);
    return ok;
}

}  // namespace kelto
