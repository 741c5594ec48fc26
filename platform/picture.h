#pragma once
// Pictures: decoded once into 32-bit pixels, shared by every control that shows them.
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace kelto {

struct Bitmap {
    int width = 0;
    int height = 0;
    std::vector<uint32_t> pixels;  // 0xAARRGGBB, row by row
    std::string source;            // where it came from, as shown in logs
    bool opaque = false;           // every pixel fully opaque: rows can be copied whole

    uint32_t at(int x, int y) const { return pixels[static_cast<size_t>(y) * width + x]; }
};

using Picture = std::shared_ptr<const Bitmap>;

// Decodes BMP, GIF, JPEG or PNG by content, whatever the file is called. Null when the bytes
// are not a picture.
Picture DecodePicture(std::string_view bytes, std::string source = {});

// Loads a picture afresh from a file; null when the file is missing or not a picture.
Picture LoadPicture(const std::string& path);

// A picture packaged inside the executable (assets/NAME). Null for an unknown name.
Picture PackagedPicture(std::string_view name);

// Raw bytes of a packaged file (pictures, fonts, the default sound); empty when unknown.
std::string_view PackagedFile(std::string_view name);

// Writes pixels as a PNG file.
bool SavePng(const std::vector<uint32_t>& pixels, int width, int height, const std::string& path);

}  // namespace kelto
