#include "platform/canvas.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace kelto {

Rect Rect::intersect(const Rect& o) const {
    return {std::max(x0, o.x0), std::max(y0, o.y0), std::min(x1, o.x1), std::min(y1, o.y1)};
}

Canvas::Canvas(int w, int h)
    : width(w), height(h), pixels(static_cast<size_t>(w) * h, 0xFF000000u), clip{0, 0, w, h} {}

void Canvas::Put(int x, int y, Pixel p) {
    if (clip.contains(x, y)) pixels[static_cast<size_t>(y) * width + x] = 0xFF000000u | p.argb;
}

void Canvas::Blend(int x, int y, Pixel p) {
    if (!clip.contains(x, y)) return;
    const uint32_t argb = p.argb, a = p.alpha();
    if (a == 0) return;
    uint32_t& d = pixels[static_cast<size_t>(y) * width + x];
    if (a == 255) {
        d = argb;
        return;
    }
    auto mix = [a](uint32_t s, uint32_t t) { return (s * a + t * (255 - a) + 127) / 255; };
    const uint32_t r = mix(argb >> 16 & 0xFF, d >> 16 & 0xFF);
    const uint32_t g = mix(argb >> 8 & 0xFF, d >> 8 & 0xFF);
    const uint32_t b = mix(argb & 0xFF, d & 0xFF);
    d = 0xFF000000u | r << 16 | g << 8 | b;
}

void Canvas::FillRect(Rect r, Pixel p) {
    r = r.intersect(clip);
    for (int y = r.y0; y < r.y1; ++y) {
        std::fill_n(&pixels[static_cast<size_t>(y) * width + r.x0], r.x1 - r.x0,
                    0xFF000000u | p.argb);
    }
}

void Canvas::FrameRect(Rect r, Pixel p) {
    FillRect({r.x0, r.y0, r.x1, r.y0 + 1}, p);
    FillRect({r.x0, r.y1 - 1, r.x1, r.y1}, p);
    FillRect({r.x0, r.y0, r.x0 + 1, r.y1}, p);
    FillRect({r.x1 - 1, r.y0, r.x1, r.y1}, p);
}

void Canvas::DrawPicture(const Bitmap& b, int x, int y) {
    Rect r = Rect{x, y, x + b.width, y + b.height}.intersect(clip);
    if (r.empty()) return;
    if (b.opaque) {
        for (int py = r.y0; py < r.y1; ++py) {
            std::copy_n(&b.pixels[static_cast<size_t>(py - y) * b.width + (r.x0 - x)], r.x1 - r.x0,
                        &pixels[static_cast<size_t>(py) * width + r.x0]);
        }
        return;
    }
    for (int py = r.y0; py < r.y1; ++py) {
        for (int px = r.x0; px < r.x1; ++px) Blend(px, py, Pixel::Argb(b.at(px - x, py - y)));
    }
}

void Canvas::DrawLine(int x1, int y1, int x2, int y2, int w, Pixel p) {
    auto stamp = [&](int cx, int cy) {
        if (w <= 1) {
            Put(cx, cy, p);
            return;
        }
        const double r = w / 2.0;
        const int lo = -(w / 2), hi = (w - 1) / 2;
        for (int dy = lo; dy <= hi; ++dy) {
            for (int dx = lo; dx <= hi; ++dx) {
                const double ex = dx + (w % 2 ? 0 : 0.5), ey = dy + (w % 2 ? 0 : 0.5);
                if (ex * ex + ey * ey <= r * r) Put(cx + dx, cy + dy, p);
            }
        }
    };
    const int dx = std::abs(x2 - x1), sx = x1 < x2 ? 1 : -1;
    const int dy = -std::abs(y2 - y1), sy = y1 < y2 ? 1 : -1;
    int err = dx + dy;
    for (;;) {
        stamp(x1, y1);
        if (x1 == x2 && y1 == y2) break;
        const int e2 = 2 * err;
        if (e2 >= dy) err += dy, x1 += sx;
        if (e2 <= dx) err += dx, y1 += sy;
    }
}

namespace {
// Calls span(y, xFrom, xTo) for each row of the ellipse inscribed in the box.
template <class Span>
void EllipseRows(Rect box, Span span) {
    const double rx = (box.x1 - box.x0) / 2.0, ry = (box.y1 - box.y0) / 2.0;
    const double cx = box.x0 + rx, cy = box.y0 + ry;
    if (rx <= 0 || ry <= 0) return;
    for (int y = box.y0; y < box.y1; ++y) {
        const double t = (y + 0.5 - cy) / ry;
        if (std::fabs(t) > 1) continue;
        const double half = rx * std::sqrt(1 - t * t);
        span(y, static_cast<int>(std::lround(cx - half)), static_cast<int>(std::lround(cx + half)));
    }
}
}  // namespace

void Canvas::FillEllipse(Rect box, Pixel p) {
    EllipseRows(box, [&](int y, int a, int b) { FillRect({a, y, b, y + 1}, p); });
}

void Canvas::FrameEllipse(Rect box, Pixel p) {
    int prevA = -1, prevB = -1;
    bool first = true;
    EllipseRows(box, [&](int y, int a, int b) {
        if (first || y == box.y1 - 1) {
            FillRect({a, y, b, y + 1}, p);
        } else {
            FillRect({std::min(a, prevA), y, std::max(a, prevA) + 1, y + 1}, p);
            FillRect({std::min(b, prevB) - 1, y, std::max(b, prevB), y + 1}, p);
        }
        first = false;
        prevA = a;
        prevB = b;
    });
}

}  // namespace kelto
