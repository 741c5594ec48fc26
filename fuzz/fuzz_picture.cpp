// Picture decoding on any bytes: null, or a picture whose pixels match its size.
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "platform/picture.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace kelto;
    const Picture p = DecodePicture(std::string_view(reinterpret_cast<const char*>(data), size));
    if (!p) return 0;
    if (p->width <= 0 || p->height <= 0 ||
        p->pixels.size() != static_cast<size_t>(p->width) * static_cast<size_t>(p->height))
        std::abort();
    volatile uint32_t sink = p->at(p->width - 1, p->height - 1);
    (void)sink;
    return 0;
}
