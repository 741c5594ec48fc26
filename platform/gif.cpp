#include "platform/gif.h"

#include <array>
#include <cstdint>
#include <vector>

namespace kelto {
namespace {

class Reader {
public:
    explicit Reader(std::string_view b) : b_(b) {}
    bool Has(size_t n) const { return at_ + n <= b_.size(); }
    uint8_t Byte() { return Has(1) ? static_cast<uint8_t>(b_[at_++]) : (failed_ = true, 0); }
    uint16_t Word() {
        const uint16_t lo = Byte();
        return static_cast<uint16_t>(lo | Byte() << 8);
    }
    std::string_view Take(size_t n) {
        if (!Has(n)) {
            failed_ = true;
            at_ = b_.size();
            return {};
        }
        std::string_view s = b_.substr(at_, n);
        at_ += n;
        return s;
    }
    // Data sub-blocks: a length byte, that many bytes, until a length of 0.
    std::string SubBlocks() {
        std::string data;
        for (uint8_t n; (n = Byte()) != 0 && !failed_;) data += Take(n);
        return data;
    }
    bool failed() const { return failed_; }

private:
    std::string_view b_;
    size_t at_ = 0;
    bool failed_ = false;
};

using Palette = std::array<uint32_t, 256>;

Palette ReadPalette(Reader& r, int entries) {
    Palette p{};
    for (int i = 0; i < entries; ++i) {
        const uint32_t red = r.Byte(), green = r.Byte(), blue = r.Byte();
        p[static_cast<size_t>(i)] = 0xFF000000u | red << 16 | green << 8 | blue;
    }
    return p;
}

// Variable-length LZW codes, least significant bit first, into at most `count` colour indices.
std::vector<uint8_t> Decompress(const std::string& data, int minCodeSize, size_t count) {
    std::vector<uint8_t> out;
    out.reserve(count);
    const int clear = 1 << minCodeSize, end = clear + 1;
    std::array<uint16_t, 4096> prefix{};
    std::array<uint8_t, 4096> suffix{};
    std::array<uint8_t, 4097> stack{};
    for (int i = 0; i < clear; ++i) suffix[static_cast<size_t>(i)] = static_cast<uint8_t>(i);
    int codeSize = minCodeSize + 1, next = end + 1, old = -1;
    uint8_t first = 0;
    uint32_t bits = 0;
    int bitCount = 0;
    size_t at = 0;
    while (out.size() < count) {
        while (bitCount < codeSize && at < data.size()) {
            bits |= static_cast<uint32_t>(static_cast<uint8_t>(data[at++])) << bitCount;
            bitCount += 8;
        }
        if (bitCount < codeSize) break;
        int code = static_cast<int>(bits & ((1u << codeSize) - 1));
        bits >>= codeSize;
        bitCount -= codeSize;
        if (code == clear) {
            codeSize = minCodeSize + 1;
            next = end + 1;
            old = -1;
            continue;
        }
        if (code == end) break;
        if (old < 0) {
            if (code > clear) break;
            first = static_cast<uint8_t>(code);
            out.push_back(first);
            old = code;
            continue;
        }
        const int in = code;
        size_t depth = 0;
        if (code == next) {
            stack[depth++] = first;
            code = old;
        } else if (code > next) {
            break;
        }
        while (code > clear && depth < 4096) {
            stack[depth++] = suffix[static_cast<size_t>(code)];
            code = prefix[static_cast<size_t>(code)];
        }
        first = suffix[static_cast<size_t>(code)];
        stack[depth++] = first;
        while (depth > 0 && out.size() < count) out.push_back(stack[--depth]);
        if (next < 4096) {
            prefix[static_cast<size_t>(next)] = static_cast<uint16_t>(old);
            suffix[static_cast<size_t>(next)] = first;
            ++next;
            if (next == 1 << codeSize && codeSize < 12) ++codeSize;
        }
        old = in;
    }
    out.resize(count, 0);
    return out;
}

// The order in which an interlaced image stores its rows.
std::vector<int> RowOrder(int height, bool interlaced) {
    std::vector<int> rows;
    if (!interlaced) {
        for (int y = 0; y < height; ++y) rows.push_back(y);
        return rows;
    }
    const int start[] = {0, 4, 2, 1}, step[] = {8, 8, 4, 2};
    for (int pass = 0; pass < 4; ++pass) {
        for (int y = start[pass]; y < height; y += step[pass]) rows.push_back(y);
    }
    return rows;
}

}  // namespace

std::shared_ptr<Bitmap> DecodeGif(std::string_view bytes, int maxSide) {
    if (bytes.substr(0, 6) != "GIF87a" && bytes.substr(0, 6) != "GIF89a") return nullptr;
    Reader r(bytes);
    r.Take(6);
    r.Word();  // the logical screen's size: the picture is the first image's own
    r.Word();
    const uint8_t screenFlags = r.Byte();
    r.Byte();  // background colour
    r.Byte();  // aspect ratio
    Palette global{};
    if (screenFlags & 0x80) global = ReadPalette(r, 2 << (screenFlags & 7));
    int transparent = -1;
    while (!r.failed()) {
        const uint8_t block = r.Byte();
        if (block == 0x21) {
            const uint8_t label = r.Byte();
            const std::string ext = r.SubBlocks();
            if (label == 0xF9 && ext.size() >= 4 && (ext[0] & 1)) transparent = uint8_t(ext[3]);
            continue;
        }
        if (block != 0x2C) return nullptr;  // the trailer, or anything else: no image
        r.Word();
        r.Word();
        const int width = r.Word(), height = r.Word();
        const uint8_t flags = r.Byte();
        if (width == 0 || height == 0 || width > maxSide || height > maxSide) return nullptr;
        const Palette palette = (flags & 0x80) ? ReadPalette(r, 2 << (flags & 7)) : global;
        const int minCodeSize = r.Byte();
        const std::string data = r.SubBlocks();
        if (r.failed() || minCodeSize < 1 || minCodeSize > 8) return nullptr;
        const size_t count = static_cast<size_t>(width) * height;
        const std::vector<uint8_t> indices = Decompress(data, minCodeSize, count);
        auto bmp = std::make_shared<Bitmap>();
        bmp->width = width;
        bmp->height = height;
        bmp->pixels.resize(count);
        const std::vector<int> rows = RowOrder(height, flags & 0x40);
        for (int i = 0; i < height; ++i) {
            for (int x = 0; x < width; ++x) {
                const uint8_t index = indices[static_cast<size_t>(i) * width + x];
                bmp->pixels[static_cast<size_t>(rows[static_cast<size_t>(i)]) * width + x] =
                    index == transparent ? 0 : palette[index];
            }
        }
        return bmp;
    }
    return nullptr;
}

}  // namespace kelto
