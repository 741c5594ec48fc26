#pragma once
// The lightning bolt on the status strip: a random walk of heights, one per pixel column.
#include <array>
#include <functional>

namespace kelto {

constexpr int kBoltLength = 532;  // columns x = 1..532
constexpr int kBoltStart = 38;    // height before the first step
constexpr int kBoltTop = 16;      // the walk bounces back from these bounds
constexpr int kBoltBottom = 56;

// Heights of one bolt: element i is the y of column x = i + 1. `next` gives one random number
// in [0, 1) per column; a third of the range steps up, a third stays, a third steps down.
std::array<int, kBoltLength> BoltHeights(const std::function<float()>& next);

}  // namespace kelto
