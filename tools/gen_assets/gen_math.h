// Deterministic arithmetic for the asset generator.
//
// Every function here uses only IEEE-exact operations (+, -, *, /, sqrt, floor), so the generated
// files come out byte for byte the same whatever C library or CPU builds them.
#pragma once

#include <cmath>
#include <cstdint>

namespace gen {

inline constexpr double kPi = 3.14159265358979323846;
inline constexpr double kTwoPi = 2.0 * kPi;

inline double Clamp(double v, double lo, double hi) {
    return v < lo ? lo : (v > hi ? hi : v);
}
inline double Clamp01(double v) {
    return Clamp(v, 0.0, 1.0);
}
inline double Lerp(double a, double b, double t) {
    return a + (b - a) * t;
}
inline double SmoothStep(double e0, double e1, double x) {
    double t = Clamp01((x - e0) / (e1 - e0));
    return t * t * (3.0 - 2.0 * t);
}

// sin(x) by reduction to [-pi/2, pi/2] and a Taylor series.
inline double Sin(double x) {
    x -= kTwoPi * std::floor(x / kTwoPi + 0.5);  // now in [-pi, pi]
    if (x > kPi / 2) x = kPi - x;
    if (x < -kPi / 2) x = -kPi - x;
    double x2 = x * x;
    double term = x;
    double sum = x;
    for (int n = 1; n <= 10; ++n) {
        term *= -x2 / double((2 * n) * (2 * n + 1));
        sum += term;
    }
    return sum;
}
inline double Cos(double x) {
    return Sin(x + kPi / 2);
}

// e^x by x = k*ln2 + r, a Taylor series for e^r and an exact scaling by 2^k.
inline double Exp(double x) {
    if (x < -700.0) return 0.0;
    constexpr double kLn2 = 0.69314718055994530942;
    double k = std::floor(x / kLn2 + 0.5);
    double r = x - k * kLn2;
    double term = 1.0;
    double sum = 1.0;
    for (int n = 1; n <= 18; ++n) {
        term *= r / n;
        sum += term;
    }
    return std::ldexp(sum, int(k));
}

// ln(x) for x > 0 by x = m*2^e and the series of 2*atanh((m-1)/(m+1)).
inline double Log(double x) {
    constexpr double kLn2 = 0.69314718055994530942;
    int e = 0;
    double m = std::frexp(x, &e);  // m in [0.5, 1)
    if (m < 0.70710678118654752440) {
        m *= 2.0;
        --e;
    }
    double s = (m - 1.0) / (m + 1.0);
    double s2 = s * s;
    double term = s;
    double sum = 0.0;
    for (int n = 1; n <= 41; n += 2) {
        sum += term / n;
        term *= s2;
    }
    return 2.0 * sum + e * kLn2;
}

inline double Pow(double x, double y) {
    return x <= 0.0 ? 0.0 : Exp(y * Log(x));
}

inline double Atan(double x) {
    bool neg = x < 0;
    if (neg) x = -x;
    bool inv = x > 1.0;
    if (inv) x = 1.0 / x;
    double base = 0.0;
    constexpr double kTan15 = 0.26794919243112270647;
    constexpr double kInvSqrt3 = 0.57735026918962576451;
    if (x > kTan15) {
        base = kPi / 6;
        x = (x - kInvSqrt3) / (1.0 + x * kInvSqrt3);
    }
    double x2 = x * x;
    double term = x;
    double sum = 0.0;
    for (int n = 1; n <= 31; n += 2) {
        sum += term / n;
        term *= -x2;
    }
    double r = base + sum;
    if (inv) r = kPi / 2 - r;
    return neg ? -r : r;
}

inline double Atan2(double y, double x) {
    if (x > 0) return Atan(y / x);
    if (x < 0) return y >= 0 ? Atan(y / x) + kPi : Atan(y / x) - kPi;
    if (y > 0) return kPi / 2;
    if (y < 0) return -kPi / 2;
    return 0.0;
}

// Integer hash of a lattice point and a seed, uniform over 32 bits.
inline uint32_t Hash(int32_t x, int32_t y, uint32_t seed) {
    uint32_t h = seed * 0x9E3779B1u;
    h ^= uint32_t(x) * 0x85EBCA77u;
    h = (h << 13) | (h >> 19);
    h ^= uint32_t(y) * 0xC2B2AE3Du;
    h ^= h >> 16;
    h *= 0x7FEB352Du;
    h ^= h >> 15;
    h *= 0x846CA68Bu;
    h ^= h >> 16;
    return h;
}
inline double Hash01(int32_t x, int32_t y, uint32_t seed) {
    return (Hash(x, y, seed) >> 8) * (1.0 / 16777216.0);
}

// A small linear congruential generator (64-bit state, top bits used).
class Lcg {
public:
    explicit Lcg(uint64_t seed) : state_(seed * 2862933555777941757ull + 3037000493ull) {}
    uint32_t Next() {
        state_ = state_ * 6364136223846793005ull + 1442695040888963407ull;
        return uint32_t(state_ >> 33);
    }
    // Uniform in [0, 1).
    double Unit() { return (Next() >> 7) * (1.0 / 16777216.0); }
    // Uniform in [-1, 1).
    double Signed() { return Unit() * 2.0 - 1.0; }
    double Range(double lo, double hi) { return lo + (hi - lo) * Unit(); }
    int Int(int lo, int hi) { return lo + int(Next() % uint32_t(hi - lo + 1)); }

private:
    uint64_t state_;
};

// Smooth value noise in [0, 1] with lattice spacing 1.
inline double ValueNoise(double x, double y, uint32_t seed) {
    double fx = std::floor(x);
    double fy = std::floor(y);
    int32_t ix = int32_t(fx);
    int32_t iy = int32_t(fy);
    double tx = x - fx;
    double ty = y - fy;
    tx = tx * tx * tx * (tx * (tx * 6 - 15) + 10);
    ty = ty * ty * ty * (ty * (ty * 6 - 15) + 10);
    double a = Hash01(ix, iy, seed);
    double b = Hash01(ix + 1, iy, seed);
    double c = Hash01(ix, iy + 1, seed);
    double d = Hash01(ix + 1, iy + 1, seed);
    return Lerp(Lerp(a, b, tx), Lerp(c, d, tx), ty);
}

// Fractal sum of value noise, normalised to about [0, 1].
inline double Fbm(double x, double y, uint32_t seed, int octaves, double gain = 0.5) {
    double sum = 0.0;
    double amp = 1.0;
    double norm = 0.0;
    for (int i = 0; i < octaves; ++i) {
        sum += amp * ValueNoise(x, y, seed + uint32_t(i) * 101u);
        norm += amp;
        amp *= gain;
        x = x * 2.0 + 17.13;
        y = y * 2.0 - 5.71;
    }
    return sum / norm;
}

// Cellular (Worley) noise: distances to the nearest and second nearest feature point, and the
// identity of the nearest cell.
struct Cell {
    double f1;    // distance to the nearest feature point
    double edge;  // distance to the nearest cell border
    int32_t cx;   // lattice cell of the nearest feature point
    int32_t cy;
    double px;  // the nearest feature point
    double py;
};

inline Cell Worley(double x, double y, uint32_t seed, double jitter = 0.85) {
    int32_t ix = int32_t(std::floor(x));
    int32_t iy = int32_t(std::floor(y));
    double pxs[25];
    double pys[25];
    int best = 0;
    Cell c{1e9, 1e9, 0, 0, 0, 0};
    int n = 0;
    for (int dy = -2; dy <= 2; ++dy) {
        for (int dx = -2; dx <= 2; ++dx, ++n) {
            int32_t cx = ix + dx;
            int32_t cy = iy + dy;
            pxs[n] = cx + 0.5 + (Hash01(cx, cy, seed) - 0.5) * jitter;
            pys[n] = cy + 0.5 + (Hash01(cx, cy, seed + 7u) - 0.5) * jitter;
            double d = std::sqrt((pxs[n] - x) * (pxs[n] - x) + (pys[n] - y) * (pys[n] - y));
            if (d < c.f1) {
                c.f1 = d;
                c.cx = cx;
                c.cy = cy;
                c.px = pxs[n];
                c.py = pys[n];
                best = n;
            }
        }
    }
    for (int i = 0; i < 25; ++i) {
        if (i == best) continue;
        double nx = pxs[i] - pxs[best];
        double ny = pys[i] - pys[best];
        double len = std::sqrt(nx * nx + ny * ny);
        if (len <= 0) continue;
        double mx = (pxs[i] + pxs[best]) * 0.5;
        double my = (pys[i] + pys[best]) * 0.5;
        double d = ((mx - x) * nx + (my - y) * ny) / len;
        if (d < c.edge) c.edge = d;
    }
    return c;
}

}  // namespace gen
