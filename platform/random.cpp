#include "platform/random.h"

#include <cstring>

namespace kelto {

float ClassicRandom::Next() {
    x_ = static_cast<uint32_t>((uint64_t{x_} * 1140671485u + 12820163u) & 0xFFFFFFu);
    return static_cast<float>(x_) / 16777216.0f;
}

void ClassicRandom::Mix(uint32_t w) {
    x_ = ((((w & 0xFFFFu) ^ (w >> 16)) << 8) & 0xFFFF00u) | (x_ & 0xFFu);
}

void ClassicRandom::Reseed(double v) {
    uint64_t bits;
    std::memcpy(&bits, &v, sizeof bits);
    Mix(static_cast<uint32_t>(bits >> 32));
}

void ClassicRandom::Reseed(float v) {
    uint32_t bits;
    std::memcpy(&bits, &v, sizeof bits);
    Mix(bits);
}

}  // namespace kelto
