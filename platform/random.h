#pragma once
#include <cstdint>

namespace kelto {

// The classic 24-bit generator of the desktop runtime the game was tuned on.
class ClassicRandom {
public:
    static constexpr uint32_t kStart = 327680;

    // Next value in [0, 1).
    float Next();
    // Mixes a double seed in without restarting the sequence.
    void Reseed(double v);
    // Mixes a single-precision seed (seconds since midnight) in the same way.
    void Reseed(float v);
    uint32_t state() const { return x_; }

private:
    void Mix(uint32_t w);
    uint32_t x_ = kStart;
};

}  // namespace kelto
