// The pictures that belong to the windows: icons, the menu-bar marble, the gears, the hero's design
// picture, the main menu's sky and buttons, and the splash picture.
#include <cmath>

#include "assets.h"
#include "gen_math.h"

namespace gen {

namespace {

// ---- small shape helpers (signed distances in pixels, negative inside) ----

double Circle(double x, double y, double cx, double cy, double r) {
    return std::sqrt((x - cx) * (x - cx) + (y - cy) * (y - cy)) - r;
}

double Ellipse(double x, double y, double cx, double cy, double rx, double ry) {
    double dx = (x - cx) / rx;
    double dy = (y - cy) / ry;
    return (std::sqrt(dx * dx + dy * dy) - 1.0) * (rx < ry ? rx : ry);
}

double Box(double x, double y, double x0, double y0, double x1, double y1) {
    double dx = x0 - x > x - x1 ? x0 - x : x - x1;
    double dy = y0 - y > y - y1 ? y0 - y : y - y1;
    return dx > dy ? dx : dy;
}

double Max(double a, double b) {
    return a > b ? a : b;
}
double Min(double a, double b) {
    return a < b ? a : b;
}

// Paints a filled shape with a dark outline of width `ow` just inside its edge.
void Layer(Rgba& out, double d, const Rgba& fill, const Rgba& outline, double ow) {
    if (d >= 0) return;
    out = Over(d > -ow ? outline : fill, out);
}

// ---- icon: the hero's head ----

Rgba IconShade(double x, double y) {
    const Rgba ink = Rgb8(48, 24, 22);
    const double ow = 1.05;
    Rgba out{0, 0, 0, 0};

    // Ears, face.
    Rgba skin = Rgb8(255, 206, 160);
    Rgba skin_shade = Rgb8(236, 170, 126);
    Layer(out, Circle(x, y, 5.6, 20.0, 3.0), skin_shade, ink, ow);
    Layer(out, Circle(x, y, 26.4, 20.0, 3.0), skin_shade, ink, ow);
    double face = Ellipse(x, y, 16.0, 19.6, 10.8, 10.6);
    Rgba face_col = Mix(skin, skin_shade, SmoothStep(2.0, 11.0, (x - 16.0) * 0.5 + (y - 19.0)));
    Layer(out, face, face_col, ink, ow);

    // Hair tufts at the temples.
    Rgba hair = Rgb8(122, 66, 30);
    Layer(out, Max(Ellipse(x, y, 7.4, 15.6, 3.2, 3.6), -Ellipse(x, y, 16.0, 19.6, 9.0, 10.0)), hair,
          ink, 0.0);
    Layer(out, Max(Ellipse(x, y, 24.6, 15.6, 3.2, 3.6), -Ellipse(x, y, 16.0, 19.6, 9.0, 10.0)),
          hair, ink, 0.0);

    // Cap: dome and peak.
    Rgba red = Rgb8(222, 38, 38);
    Rgba red_dark = Rgb8(160, 20, 28);
    double dome = Max(Ellipse(x, y, 16.0, 14.0, 12.2, 11.4), y - 14.2);
    Rgba dome_col = Mix(red, red_dark, SmoothStep(-4.0, 10.0, (x - 12.0) * 0.6 + (y - 8.0)));
    double shine = Ellipse(x, y, 10.2, 7.6, 2.6, 1.7);
    if (shine < 0) dome_col = Mix(dome_col, Rgb8(255, 140, 128), SmoothStep(0.0, -1.2, shine));
    Layer(out, dome, dome_col, ink, ow);
    double peak = Max(Ellipse(x, y, 16.0, 13.6, 14.0, 2.9), 11.6 - y);
    Layer(out, peak, red_dark, ink, ow);
    // Badge on the cap front.
    Layer(out, Circle(x, y, 16.0, 8.2, 3.1), Rgb8(252, 250, 238), ink, 0.9);
    Layer(out, Circle(x, y, 16.0, 8.2, 1.1), red, ink, 0.0);

    // Eyes.
    for (double ex : {12.0, 20.0}) {
        Layer(out, Ellipse(x, y, ex, 20.0, 2.3, 2.8), Rgb8(255, 255, 255), ink, 0.8);
        Layer(out, Circle(x, y, ex + 0.4, 20.7, 1.35), Rgb8(30, 30, 64), ink, 0.0);
        Layer(out, Circle(x, y, ex + 0.9, 19.9, 0.5), Rgb8(255, 255, 255), ink, 0.0);
    }
    // Cheeks.
    Rgba blush = Rgb8(255, 120, 120, 110);
    Layer(out, Circle(x, y, 8.6, 24.0, 1.9), blush, blush, 0.0);
    Layer(out, Circle(x, y, 23.4, 24.0, 1.9), blush, blush, 0.0);
    // Nose.
    Layer(out, Ellipse(x, y, 16.0, 23.0, 1.7, 1.4), Rgb8(240, 160, 120), Rgb8(200, 110, 80), 0.6);
    // Smile: the lower part of a ring.
    double ring = std::fabs(Circle(x, y, 16.0, 23.4, 4.4)) - 0.65;
    Layer(out, Max(ring, 25.3 - y), Rgb8(150, 40, 40), ink, 0.0);
    return out;
}

// ---- About icon: a small clock face ----

Rgba AboutShade(double x, double y) {
    Rgba out{0, 0, 0, 0};
    const double cx = 16.0, cy = 16.0;
    Rgba ink = Rgb8(24, 32, 80);
    // Rim with a light-from-top-left gradient.
    Rgba rim =
        Mix(Rgb8(110, 150, 235), Rgb8(30, 60, 160), SmoothStep(-14, 14, (x - cx) + (y - cy)));
    Layer(out, Circle(x, y, cx, cy, 15.0), rim, ink, 1.0);
    Rgba face =
        Mix(Rgb8(255, 255, 255), Rgb8(222, 228, 245), SmoothStep(-12, 12, (x - cx) + (y - cy)));
    Layer(out, Circle(x, y, cx, cy, 11.8), face, ink, 0.9);
    // Hour marks.
    for (int i = 0; i < 12; ++i) {
        double a = i * kTwoPi / 12.0;
        double s = Sin(a), c = Cos(a);
        double len = (i % 3 == 0) ? 2.6 : 1.4;
        double wid = (i % 3 == 0) ? 0.75 : 0.5;
        // Point in the mark's own frame: u along the radius, v across it.
        double u = (x - cx) * s - (y - cy) * c;
        double v = (x - cx) * c + (y - cy) * s;
        Layer(out, Box(u, v, 10.4 - len, -wid, 10.4, wid), ink, ink, 0.0);
    }
    // Hands at ten past ten.
    auto hand = [&](double angle, double length, double width, const Rgba& col) {
        double s = Sin(angle), c = Cos(angle);
        double u = (x - cx) * s - (y - cy) * c;
        double v = (x - cx) * c + (y - cy) * s;
        double d = Max(std::fabs(v) - width, Max(-1.2 - u, u - length));
        Layer(out, d, col, col, 0.0);
    };
    hand(kTwoPi * (10.0 + 10.0 / 60.0) / 12.0, 6.0, 0.95, ink);
    hand(kTwoPi * 10.0 / 60.0, 8.8, 0.7, ink);
    hand(kTwoPi * 35.0 / 60.0, 9.2, 0.35, Rgb8(220, 40, 40));
    Layer(out, Circle(x, y, cx, cy, 1.4), Rgb8(220, 40, 40), ink, 0.5);
    return out;
}

// ---- green marble ----

// Marble veins: contour lines of a domain-warped noise field, bright where the field crosses 0.5.
Rgba MarbleShade(double x, double y) {
    double fx = x / 70.0, fy = y / 70.0;
    double qx = Fbm(fx, fy, 11u, 4);
    double qy = Fbm(fx + 5.2, fy + 1.3, 12u, 4);
    double n = Fbm(fx + 2.2 * qx, fy + 2.2 * qy, 13u, 5);
    double m = Fbm(fx * 1.8 + 3.0 * qy, fy * 1.8 + 3.0 * qx, 15u, 5);
    double vein_main = Pow(Clamp01(1.0 - std::fabs(n - 0.5) * 9.0), 3.0);
    double vein_fine = Pow(Clamp01(1.0 - std::fabs(m - 0.46) * 16.0), 3.0);
    double cloud = Fbm(fx * 2.2 + qx, fy * 2.2, 14u, 4);
    Rgba base = Mix(Rgb8(10, 64, 36), Rgb8(44, 130, 80), SmoothStep(0.3, 0.75, cloud));
    base = Mix(base, Rgb8(6, 44, 26), 0.5 * SmoothStep(0.45, 0.75, qx));
    Rgba col = Mix(base, Rgb8(120, 196, 150), Clamp01(vein_main * 0.8));
    col = Mix(col, Rgb8(200, 240, 212), Clamp01(vein_fine * 0.55));
    // A faint polish from the top.
    return Scale(col, 1.0 + 0.10 * (1.0 - y / 82.0));
}

Canvas Marble(int w, int h) {
    Canvas c = Supersample(w, h, 2, MarbleShade);
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x)
            c.At(x, y) = Scale(c.At(x, y), 1.0 + (Hash01(x, y, 16u) - 0.5) * 0.05);
    }
    return c;
}

// ---- gear ----

// The cog wheel with its teeth turned by `turn` radians.
Rgba GearShade(double x, double y, double turn) {
    const double cx = 16.0, cy = 16.0;
    const int teeth = 8;
    double dx = x - cx, dy = y - cy;
    double r = std::sqrt(dx * dx + dy * dy);
    double a = Atan2(dy, dx) - turn;
    // Position inside one tooth period, 0 at the tooth's middle, +-0.5 between teeth.
    double p = a * teeth / kTwoPi;
    p -= std::floor(p + 0.5);
    double q = std::fabs(p);
    // Trapezoid teeth: full height for |p| < 0.17, sloping to the root by 0.3.
    double t = 1.0 - SmoothStep(0.15, 0.30, q);
    double outer = Lerp(10.8, 14.6, t);
    double body = r - outer;
    double hole = 3.2 - r;
    double shape = Max(body, hole);
    Rgba out{0, 0, 0, 0};
    if (shape >= 0) return out;
    Rgba ink = Rgb8(40, 42, 48);
    // Light from the top left, fixed whatever the turn.
    double light = Clamp01(0.5 - (dx + dy) / 40.0);
    Rgba metal = Mix(Rgb8(108, 112, 120), Rgb8(206, 210, 216), light);
    // A recessed ring between rim and hub.
    double groove = std::fabs(r - 7.3) - 1.6;
    if (groove < 0) {
        double inner_light = Clamp01(0.5 + (dx + dy) / 24.0);
        metal = Mix(Rgb8(92, 96, 104), Rgb8(150, 154, 162), inner_light);
    }
    out = shape > -1.0 ? ink : metal;
    if (groove < 0 && groove > -0.55) out = Mix(metal, ink, 0.55);
    return out;
}

// ---- sky ----

Canvas Sky(int w, int h) {
    Canvas c(w, h);
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            double v = y / double(h - 1);
            // Deep blue at the zenith, pale near the horizon.
            Rgba sky = Mix(Rgb8(38, 96, 196), Rgb8(112, 168, 232), SmoothStep(0.0, 0.75, v));
            sky = Mix(sky, Rgb8(188, 218, 246), SmoothStep(0.55, 1.0, v));
            // Sun glow in the top right corner.
            double sx = x - (w - 40.0), sy = y - 34.0;
            double d = std::sqrt(sx * sx + sy * sy);
            double glow = Exp(-d / 70.0) * 0.85 + Exp(-d / 16.0) * 0.6;
            sky = Mix(sky, Rgb8(255, 250, 225), Clamp01(glow));
            if (d < 13.0) sky = Mix(sky, Rgb8(255, 255, 246), SmoothStep(13.0, 10.0, d));

            // Clouds: stretched fractal noise, more of them lower down.
            double nx = x / 130.0, ny = y / 55.0;
            double n = Fbm(nx, ny, 21u, 6, 0.55);
            double band = 0.12 * Sin(v * 5.0 + 0.6) + 0.17 * SmoothStep(0.68, 1.0, v);
            double density = SmoothStep(0.50, 0.74, n + band - 0.04);
            if (density > 0) {
                // Shade the underside: compare with the density a little higher up.
                double above = Fbm(nx, ny - 0.09, 21u, 6, 0.55);
                double lit = Clamp01(0.6 + (n - above) * -4.0);
                Rgba cloud = Mix(Rgb8(176, 190, 214), Rgb8(255, 255, 255), lit);
                // Near the sun the clouds are warmer and brighter.
                cloud = Mix(cloud, Rgb8(255, 250, 236), Clamp01(glow) * 0.6);
                sky = Mix(sky, cloud, density * 0.95);
            }
            // A little grain keeps it photo-like.
            double grain = (Hash01(x, y, 22u) - 0.5) * 0.012;
            c.At(x, y) = {sky.r + grain, sky.g + grain, sky.b + grain, 1.0};
        }
    }
    return c;
}

Canvas Darkened(const Canvas& src) {
    Canvas c(src.Width(), src.Height());
    for (int y = 0; y < src.Height(); ++y) {
        for (int x = 0; x < src.Width(); ++x) {
            const Rgba& p = src.At(x, y);
            c.At(x, y) = {p.r * 0.40, p.g * 0.43, p.b * 0.52 + 0.02, 1.0};
        }
    }
    return c;
}

// ---- menu buttons ----

enum class ButtonState { kNormal, kHover, kPressed };

Canvas Button(ButtonState state) {
    const int w = 88, h = 22;
    Canvas c(w, h);
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            double v = y / double(h - 1);
            Rgba face = Mix(Rgb8(252, 252, 246), Rgb8(230, 230, 220), v);
            if (state == ButtonState::kPressed)
                face = Mix(Rgb8(236, 238, 236), Rgb8(246, 248, 244), v);
            int edge = Min(Min(x, w - 1 - x), Min(y, h - 1 - y));
            Rgba col = face;
            if (edge == 0) {
                col = Rgb8(0, 0, 128);
            } else if (edge == 1 || edge == 2) {
                if (state == ButtonState::kHover) {
                    col = edge == 1 ? Rgb8(250, 150, 30) : Rgb8(255, 196, 110);
                } else if (state == ButtonState::kPressed) {
                    col = edge == 1 ? Rgb8(110, 170, 240) : Rgb8(170, 208, 250);
                } else if (edge == 1) {
                    // A soft bevel: light top and left, shaded bottom and right.
                    bool lower = (y == h - 2) || (x == w - 2);
                    col = lower ? Rgb8(200, 200, 196) : Rgb8(255, 255, 255);
                }
            }
            c.At(x, y) = col;
        }
    }
    // Corners of the border drawn softer, so the button looks slightly rounded.
    const int cx[4] = {0, w - 1, 0, w - 1};
    const int cy[4] = {0, 0, h - 1, h - 1};
    for (int i = 0; i < 4; ++i)
        c.At(cx[i], cy[i]) = Mix(Rgb8(0, 0, 128), Rgb8(200, 200, 220), 0.45);
    return c;
}

// ---- splash stripes ----

Canvas Splash(int w, int h) {
    Canvas c(w, h);
    const double period = 34.0;
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            double d = (x + y) / period;
            double f = d - std::floor(d);
            // Each stripe is a metallic ramp: bright ridge, falling to a darker trough.
            double ramp = f < 0.7 ? SmoothStep(0.0, 0.7, f) : 1.0 - SmoothStep(0.7, 1.0, f);
            double across = (x - y) / double(w + h);  // slow gradient across the stripes
            double base = 0.70 + 0.07 * across + 0.02 * Sin(d * 0.9);
            double v = base + 0.16 * (ramp - 0.5);
            Rgba col{v, v, v * 1.03 + 0.01, 1.0};
            c.At(x, y) = col;
        }
    }
    return c;
}

}  // namespace

void MakeWindowPictures(const std::string& dir) {
    Supersample(32, 32, 8, IconShade).SavePng(dir + "/icon.png");
    Supersample(32, 32, 8, AboutShade).SavePng(dir + "/about_icon.png");
    Marble(430, 82).SavePng(dir + "/marble.png");
    const double half_tooth = kTwoPi / 8.0 / 2.0;
    Supersample(32, 32, 8, [](double x, double y) {
        return GearShade(x, y, 0.0);
    }).SavePng(dir + "/gear_a.png");
    Supersample(32, 32, 8, [&](double x, double y) {
        return GearShade(x, y, half_tooth);
    }).SavePng(dir + "/gear_b.png");
    HeroFacingRight().SavePng(dir + "/hero.png");
    Canvas sky = Sky(350, 410);
    sky.SavePng(dir + "/sky.png");
    Darkened(sky).SavePng(dir + "/sky_dark.png");
    Button(ButtonState::kNormal).SavePng(dir + "/button_normal.png");
    Button(ButtonState::kHover).SavePng(dir + "/button_hover.png");
    Button(ButtonState::kPressed).SavePng(dir + "/button_pressed.png");
    Splash(465, 413).SavePng(dir + "/splash.png");
}

}  // namespace gen
