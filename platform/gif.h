#pragma once
// Our own decoder for the first image of a GIF file: small, bounded, and safe on damaged files.
#include <string_view>

#include "platform/picture.h"

namespace kelto {

// The first image of a GIF (87a or 89a), its transparent colour clear; null when the bytes are
// not a GIF, are damaged before the image ends, or announce a side of 0 or over `maxSide`.
std::shared_ptr<Bitmap> DecodeGif(std::string_view bytes, int maxSide);

}  // namespace kelto
