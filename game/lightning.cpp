#include "game/lightning.h"

namespace kelto {

std::array<int, kBoltLength> BoltHeights(const std::function<float()>& next) {
    std::array<int, kBoltLength> heights{};
    int y = kBoltStart;
    for (int& h : heights) {
        const int r = 1 + static_cast<int>(next() * 3.0f);
        if (r == 1) {
            --y;
            if (y < kBoltTop) y += 2;
        }
        if (r == 3) {
            ++y;
            if (y > kBoltBottom) y -= 2;
        }
        h = y;
    }
    return heights;
}

}  // namespace kelto
