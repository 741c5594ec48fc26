// The level textures: one material per level, 544 x 496 pixels, saved as 24-bit BMP.
//
// The game draws a texture from the top left corner of every block, of the window and of the status
// strip, so each material starts cleanly at (0, 0) and looks right when cropped anywhere. The level
// caption is light green, so every material stays mid to dark in tone.
#include <cmath>
#include <functional>
#include <string>
#include <vector>

#include "assets.h"
#include "gen_math.h"

namespace gen {

namespace {

constexpr int kW = 544;
constexpr int kH = 496;

using Material = std::function<Rgba(int x, int y)>;

Canvas Paint(const Material& m) {
    Canvas c(kW, kH);
    for (int y = 0; y < kH; ++y) {
        for (int x = 0; x < kW; ++x) c.At(x, y) = m(x, y);
    }
    return c;
}

// Per-pixel grain in [-0.5, 0.5).
double Grain(int x, int y, uint32_t seed) {
    return Hash01(x, y, seed) - 0.5;
}

// ---- 1: brick ----

Rgba Brick(int x, int y) {
    const int bw = 48, bh = 20, mortar = 3;
    int row = y / bh;
    int shift = (row % 2) ? bw / 2 : 0;
    int col = (x + shift) / bw;
    int lx = (x + shift) % bw;
    int ly = y % bh;
    // Ragged brick edges: the mortar line wanders by a pixel.
    double wobble = ValueNoise(x / 3.0, y / 3.0, 104u);
    int m = mortar - (wobble > 0.7 ? 1 : 0);
    double grain = Grain(x, y, 105u);
    if (lx < m || ly < m) {
        double v = 0.30 + 0.05 * Fbm(x / 6.0, y / 6.0, 106u, 3) + grain * 0.05;
        return {v * 1.02, v, v * 0.94, 1.0};
    }
    double pick = Hash01(col, row, 101u);
    Rgba base =
        pick < 0.33 ? Rgb8(150, 60, 42) : (pick < 0.66 ? Rgb8(128, 48, 36) : Rgb8(158, 78, 52));
    double tone = 0.85 + 0.3 * Hash01(col, row, 102u);
    double mottle = Fbm(x / 9.0, y / 9.0, 103u, 4);
    Rgba c = Scale(base, tone * (0.82 + 0.36 * mottle) + grain * 0.10);
    // Bevel: light along the top and left of the brick, shadow along the bottom and right.
    if (ly < m + 2 || lx < m + 2) c = Scale(c, 1.16);
    if (ly >= bh - 2 || lx >= bw - 2) c = Scale(c, 0.78);
    // Occasional dark pits.
    if (Hash01(x / 2, y / 2, 107u) > 0.985) c = Scale(c, 0.7);
    return c;
}

// ---- 2: stone blocks ----

class Ashlar {
public:
    static constexpr int kRow = 56;
    Ashlar() {
        for (int r = 0; r <= kH / kRow + 1; ++r) {
            Lcg rng(200u + r);
            std::vector<int> joints;
            int x = -rng.Int(0, 60);
            while (x < kW) {
                joints.push_back(x);
                x += rng.Int(64, 118);
            }
            joints.push_back(x);
            rows_.push_back(joints);
        }
    }
    Rgba operator()(int x, int y) const {
        int r = y / kRow;
        int ly = y % kRow;
        const std::vector<int>& j = rows_[r];
        size_t k = 0;
        while (k + 1 < j.size() && j[k + 1] <= x) ++k;
        int lx = x - j[k];
        int bw = j[k + 1] - j[k];
        double grain = Grain(x, y, 201u);
        int joint = 3 + (ValueNoise(x / 4.0, y / 4.0, 202u) > 0.75 ? 1 : 0);
        if (lx < joint || ly < joint) {
            double v = 0.16 + 0.04 * Fbm(x / 5.0, y / 5.0, 203u, 3);
            return {v, v, v * 1.05, 1.0};
        }
        double tone = 0.31 + 0.09 * Hash01(int(k) + j[k], r, 204u);
        double mottle = Fbm(x / 14.0, y / 14.0, 205u, 5);
        double v = tone * (0.80 + 0.40 * mottle) + grain * 0.05;
        if (Fbm(x / 3.0, y / 3.0, 206u, 2) > 0.78) v *= 0.78;  // small cavities
        if (ly < joint + 2 || lx < joint + 2) v *= 1.18;
        if (ly >= kRow - 2 || lx >= bw - 2) v *= 0.75;
        return {v * 1.02, v, v * 0.95, 1.0};
    }

private:
    std::vector<std::vector<int>> rows_;
};

// ---- 3: wood planks ----

class Planks {
public:
    static constexpr int kPlank = 31;
    Planks() {
        for (int r = 0; r <= kH / kPlank + 1; ++r) {
            Lcg rng(300u + r);
            std::vector<int> ends;
            int x = -rng.Int(0, 200);
            while (x < kW) {
                ends.push_back(x);
                x += rng.Int(180, 320);
            }
            ends.push_back(x);
            rows_.push_back(ends);
        }
    }
    Rgba operator()(int x, int y) const {
        int r = y / kPlank;
        int ly = y % kPlank;
        const std::vector<int>& e = rows_[r];
        size_t k = 0;
        while (k + 1 < e.size() && e[k + 1] <= x) ++k;
        int lx = x - e[k];
        int len = e[k + 1] - e[k];
        if (ly < 2 || lx < 2) return Rgb8(34, 20, 12);
        uint32_t board = uint32_t(r * 31 + int(k) + e[k]);
        double tone = 0.85 + 0.3 * Hash01(int(board), 0, 301u);
        double warp = Fbm(x / 70.0, y / 9.0 + board * 3.7, 302u, 4);
        double rings = Sin((y + warp * 26.0) * 0.75 + board);
        double streak = Fbm(x / 160.0, y / 1.6, 303u, 3);
        Rgba light = Rgb8(150, 96, 52), dark = Rgb8(98, 58, 30);
        Rgba c = Mix(dark, light, Clamp01(0.5 + 0.35 * rings + 0.6 * (streak - 0.5)));
        c = Scale(c, tone + Grain(x, y, 304u) * 0.06);
        // A knot now and then.
        double kx = e[k] + 40.0 + Hash01(int(board), 1, 305u) * (len - 80.0);
        double ky = r * kPlank + 8.0 + Hash01(int(board), 2, 306u) * (kPlank - 16.0);
        if (Hash01(int(board), 3, 307u) < 0.5) {
            double dx = (x - kx) / 2.2, dy = y - ky;
            double d = std::sqrt(dx * dx + dy * dy);
            if (d < 4.5)
                c = Mix(c, Rgb8(70, 38, 18), SmoothStep(4.5, 1.5, d));
            else if (d < 9.0)
                c = Scale(c, 0.9 + 0.1 * Sin(d * 1.6));
        }
        // Bevel and nails near the plank ends.
        if (ly == 2) c = Scale(c, 1.18);
        if (ly == kPlank - 1) c = Scale(c, 0.75);
        for (int nx : {6, len - 7}) {
            for (int ny : {9, kPlank - 8}) {
                double dx = lx - nx, dy = ly - ny;
                double d2 = dx * dx + dy * dy;
                if (d2 <= 2.5) c = (dx + dy < 0) ? Rgb8(150, 150, 150) : Rgb8(50, 50, 54);
            }
        }
        return c;
    }

private:
    std::vector<std::vector<int>> rows_;
};

// ---- 4: grass on earth ----

Rgba Grass(int x, int y) {
    // Depth of the turf under column x: blades hang down to a ragged edge.
    double turf = 10.0 + 5.0 * ValueNoise(x / 7.0, 0.5, 401u) + 5.0 * Hash01(x, 0, 402u);
    double grain = Grain(x, y, 403u);
    if (y < turf) {
        // Vertical blades: each column has its own shade.
        double blade = Hash01(x, 1, 404u);
        double t = y / turf;
        Rgba c = Mix(Rgb8(92, 170, 56), Rgb8(38, 104, 30), t * 0.8 + blade * 0.35);
        if (Hash01(x, y / 3, 405u) > 0.93) c = Rgb8(130, 196, 70);
        return Scale(c, 1.0 + grain * 0.08);
    }
    if (y < turf + 2.0) return Rgb8(44, 30, 18);  // shadow under the turf
    double depth = SmoothStep(0.0, 220.0, y);
    Rgba earth = Mix(Rgb8(112, 74, 44), Rgb8(82, 52, 32), depth);
    double mottle = Fbm(x / 18.0, y / 18.0, 406u, 5);
    Rgba c = Scale(earth, 0.78 + 0.44 * mottle + grain * 0.16);
    // Pebbles.
    Cell p = Worley(x / 14.0, y / 14.0, 407u);
    double size = 0.18 + 0.2 * Hash01(p.cx, p.cy, 408u);
    if (Hash01(p.cx, p.cy, 409u) < 0.16 && p.f1 < size) {
        double shade = Hash01(p.cx, p.cy, 410u);
        Rgba stone = Mix(Rgb8(88, 78, 66), Rgb8(122, 108, 88), shade);
        // Lit from the top left, rim darker.
        double dx = x / 14.0 - p.px, dy = y / 14.0 - p.py;
        double lit = Clamp01(0.6 - (dx + dy) * 1.5);
        double rim = SmoothStep(size * 0.6, size, p.f1);
        c = Scale(stone, (0.8 + 0.35 * lit) * (1.0 - 0.4 * rim) + grain * 0.08);
    }
    // Little roots and grass bits near the top.
    if (y < turf + 30 && Hash01(x, y / 2, 411u) > 0.985) c = Rgb8(60, 110, 40);
    return c;
}

// ---- 5: ice ----

Rgba Ice(int x, int y) {
    double fx = x / 70.0, fy = y / 70.0;
    double depth = Fbm(fx, fy, 501u, 5);
    Rgba c = Mix(Rgb8(36, 82, 134), Rgb8(76, 136, 182), depth);
    Cell cell = Worley(x / 64.0, y / 64.0, 502u, 0.95);
    // Each slab catches the light differently.
    c = Scale(c, 0.88 + 0.24 * Hash01(cell.cx, cell.cy, 503u));
    // Diagonal sheen.
    double sheen = Sin((x + y) * 0.045 + depth * 4.0);
    c = Mix(c, Rgb8(150, 200, 230), 0.10 * SmoothStep(0.6, 1.0, sheen));
    // Cracks along the slab borders, and fine ones inside.
    double edge = cell.edge * 64.0;  // in pixels
    double crack_strength = SmoothStep(0.35, 0.6, Fbm(x / 40.0, y / 40.0, 504u, 3));
    if (edge < 1.3)
        c = Mix(c, Rgb8(196, 232, 248), 0.85);
    else if (edge < 3.0)
        c = Scale(c, 0.82);
    Cell fine = Worley(x / 23.0, y / 23.0, 505u);
    if (fine.edge * 23.0 < 0.7) c = Mix(c, Rgb8(170, 214, 238), 0.45 * crack_strength);
    // Frost sparkles.
    if (Hash01(x, y, 506u) > 0.996) c = Mix(c, Rgb8(235, 248, 255), 0.8);
    return Scale(c, 1.0 + Grain(x, y, 507u) * 0.04);
}

// ---- 6: sand ----

Rgba Sand(int x, int y) {
    double warp = Fbm(x / 90.0, y / 60.0, 601u, 4);
    double ripple = Sin((y + x * 0.18 + warp * 46.0) * 0.42);
    double wind = SmoothStep(-0.2, 1.0, ripple);
    Rgba base = Mix(Rgb8(106, 80, 46), Rgb8(138, 108, 66), wind);
    double mottle = Fbm(x / 30.0, y / 30.0, 602u, 4);
    Rgba c = Scale(base, 0.88 + 0.2 * mottle + Grain(x, y, 603u) * 0.16);
    // Dark and light grains.
    double g = Hash01(x, y, 604u);
    if (g > 0.992)
        c = Scale(c, 0.62);
    else if (g < 0.006)
        c = Rgb8(176, 150, 104);
    // Small shells of pebbles.
    Cell p = Worley(x / 26.0, y / 26.0, 605u);
    if (Hash01(p.cx, p.cy, 606u) < 0.12 && p.f1 < 0.09) c = Mix(c, Rgb8(92, 76, 58), 0.8);
    return c;
}

// ---- 7: dark metal plates ----

Rgba Metal(int x, int y) {
    const int pw = 68, ph = 62;
    int lx = x % pw, ly = y % ph;
    int px = x / pw, py = y / ph;
    double brushed = ValueNoise(x / 40.0, y / 1.3, 701u + uint32_t(px + py * 8) * 3u);
    double tone = 0.92 + 0.16 * Hash01(px, py, 702u);
    double v = (0.27 + 0.05 * brushed + 0.03 * Fbm(x / 25.0, y / 25.0, 703u, 3)) * tone;
    Rgba c{v * 0.94, v * 1.0, v * 1.12, 1.0};
    // Seams: a dark groove with a highlight on its lower right lip.
    if (lx < 2 || ly < 2) return Rgb8(16, 18, 22);
    if (lx == 2 || ly == 2) c = Scale(c, 1.35);
    if (lx == pw - 1 || ly == ph - 1) c = Scale(c, 0.62);
    // Rivets in the four corners of a plate.
    for (int rx : {7, pw - 6}) {
        for (int ry : {7, ph - 6}) {
            double dx = lx - rx, dy = ly - ry;
            double d = std::sqrt(dx * dx + dy * dy);
            if (d < 2.8) {
                double lit = Clamp01(0.5 - (dx + dy) / 5.0);
                c = Mix(Rgb8(52, 56, 64), Rgb8(168, 174, 186), lit);
            } else if (d < 3.8 && dx + dy > 0) {
                c = Scale(c, 0.7);  // rivet shadow
            }
        }
    }
    // Scratches and stains.
    double scratch = std::fabs(Sin(x * 0.11 - y * 0.37 + 9.0 * Fbm(x / 50.0, y / 50.0, 704u, 2)));
    if (scratch < 0.015 && Hash01(px, py, 705u) < 0.5) c = Scale(c, 1.3);
    double stain = Fbm(x / 40.0, y / 40.0, 706u, 4);
    if (stain > 0.62) c = Mix(c, Rgb8(70, 52, 40), SmoothStep(0.62, 0.8, stain) * 0.45);
    return Scale(c, 1.0 + Grain(x, y, 707u) * 0.05);
}

// ---- 8: mossy cobble ----

Rgba Cobble(int x, int y) {
    const double scale = 24.0;
    Cell cell = Worley(x / scale, y / scale, 801u, 0.7);
    double edge = cell.edge * scale;
    double grain = Grain(x, y, 802u);
    double moss = Fbm(x / 44.0, y / 44.0, 803u, 5);
    // Dark gaps between the stones, with moss in the damp places.
    Rgba gap = Scale(Rgb8(38, 40, 32), 1.0 + grain * 0.2);
    if (moss > 0.5) gap = Mix(gap, Rgb8(40, 76, 28), 0.8);
    double tone = 0.27 + 0.10 * Hash01(cell.cx, cell.cy, 804u);
    double mottle = Fbm(x / 8.0, y / 8.0, 805u, 3);
    double dome = Clamp01(edge / 9.0);  // rounded stones: darker near the gaps
    double v = tone * (0.70 + 0.30 * dome) * (0.85 + 0.3 * mottle) + grain * 0.04;
    Rgba stone{v, v * 0.98, v * 0.92, 1.0};
    // Moss creeps over the stones from the gaps.
    double m = SmoothStep(0.55, 0.70, moss + (1.0 - dome) * 0.14);
    Rgba green = Mix(Rgb8(38, 74, 24), Rgb8(70, 112, 36), Fbm(x / 4.0, y / 4.0, 806u, 2));
    stone = Mix(stone, green, m * 0.9);
    return Mix(gap, stone, SmoothStep(1.6, 2.8, edge));
}

// ---- 9: lava rock ----

Rgba Lava(int x, int y) {
    double rock = Fbm(x / 20.0, y / 20.0, 901u, 5);
    double grain = Grain(x, y, 902u);
    Rgba c = Scale(Mix(Rgb8(34, 26, 26), Rgb8(70, 54, 50), rock), 1.0 + grain * 0.2);
    // Vesicles: small dark holes.
    if (Fbm(x / 3.0, y / 3.0, 903u, 2) > 0.8) c = Scale(c, 0.55);
    const double scale = 58.0;
    Cell cell = Worley(x / scale + 0.2 * Fbm(x / 30.0, y / 30.0, 904u, 3),
                       y / scale + 0.2 * Fbm(x / 30.0, y / 30.0, 905u, 3), 906u);
    double edge = cell.edge * scale;
    double heat = SmoothStep(0.3, 0.7, Fbm(x / 90.0, y / 90.0, 907u, 3));
    double glow = Exp(-edge / 2.2) * (0.35 + 0.65 * heat);
    Rgba hot = Mix(Rgb8(170, 34, 6), Rgb8(255, 140, 24), SmoothStep(0.4, 0.9, glow));
    if (edge < 0.9 && heat > 0.5) hot = Mix(hot, Rgb8(255, 220, 110), heat - 0.5);
    c = Mix(c, hot, Clamp01(glow * 1.1));
    return c;
}

// ---- 10: crystal marble ----

Rgba Crystal(int x, int y) {
    double fx = x / 80.0, fy = y / 80.0;
    double t1 = Fbm(fx, fy, 1001u, 5);
    double t2 = Fbm(fx * 1.6 + 4.0, fy * 1.6, 1002u, 5);
    Rgba base = Mix(Rgb8(44, 28, 84), Rgb8(86, 58, 132), Fbm(fx * 2.0, fy * 2.0, 1003u, 4));
    // Facets: each cell of a coarse mesh is a flat face catching the light at its own angle.
    Cell f = Worley(x / 46.0, y / 46.0, 1004u, 0.9);
    double face = Hash01(f.cx, f.cy, 1005u);
    Rgba c = Scale(base, 0.78 + 0.42 * face);
    if (f.edge * 46.0 < 1.0) c = Mix(c, Rgb8(200, 180, 240), 0.45);
    // Veins: contour lines of a warped noise field.
    double n = Fbm(fx * 1.2 + 2.0 * t1, fy * 1.2 + 2.0 * t2, 1008u, 5);
    double m = Fbm(fx * 2.0 + 3.0 * t2, fy * 2.0 + 3.0 * t1, 1009u, 5);
    double v1 = Pow(Clamp01(1.0 - std::fabs(n - 0.5) * 10.0), 3.0);
    double v2 = Pow(Clamp01(1.0 - std::fabs(m - 0.47) * 14.0), 3.0);
    c = Mix(c, Rgb8(170, 144, 216), Clamp01(v1 * 0.75));
    c = Mix(c, Rgb8(222, 208, 248), Clamp01(v2 * 0.5));
    // Glints.
    if (Hash01(x, y, 1006u) > 0.997) c = Mix(c, Rgb8(255, 255, 255), 0.7);
    return Scale(c, 1.0 + Grain(x, y, 1007u) * 0.04);
}

}  // namespace

void MakeTextures(const std::string& dir) {
    const Ashlar ashlar;
    const Planks planks;
    const Material materials[10] = {Brick, ashlar, planks, Grass, Ice,
                                    Sand,  Metal,  Cobble, Lava,  Crystal};
    for (int i = 0; i < 10; ++i) {
        Paint(materials[i]).SaveBmp(dir + "/Texture" + std::to_string(i + 1) + ".res");
    }
}

}  // namespace gen
