#pragma once
// Pixels of one window's client area and the few primitives every control is drawn with.
#include <cstdint>
#include <vector>

#include "platform/color.h"
#include "platform/picture.h"

namespace kelto {

struct Rect {
    int x0 = 0, y0 = 0, x1 = 0, y1 = 0;  // x1, y1 exclusive
    Rect intersect(const Rect& o) const;
    bool empty() const { return x1 <= x0 || y1 <= y0; }
    bool contains(int x, int y) const { return x >= x0 && x < x1 && y >= y0 && y < y1; }
};

struct Canvas {
    int width = 0, height = 0;
    std::vector<uint32_t> pixels;  // 0xFFRRGGBB
    Rect clip;

    Canvas(int w, int h);
    void Blend(int x, int y, Pixel p);  // alpha-blends one pixel, within the clip
    void Put(int x, int y, Pixel p);    // opaque pixel, within the clip
    void FillRect(Rect r, Pixel p);
    void DrawPicture(const Bitmap& b, int x, int y);
    void DrawLine(int x1, int y1, int x2, int y2, int width, Pixel p);
    void FillEllipse(Rect box, Pixel p);
    void FrameEllipse(Rect box, Pixel p);
    void FrameRect(Rect r, Pixel p);
};

}  // namespace kelto
