#pragma once
// Fonts packaged in the executable, measured and drawn by the one renderer.
#include <string>
#include <utility>

#include "platform/controls.h"

namespace kelto {

// Pixel size of a font at 96 dots per inch.
int FontPixels(const Font& font);
// Width and height in pixels of a text on one line (height: the font's line height).
std::pair<int, int> MeasureText(const Font& font, const std::string& text);

struct Canvas;
enum class TextAlign { Left, Center };
// Draws text into the rectangle (x, y, w, h), clipped to it and to the canvas clip.
void DrawText(Canvas& c, const Font& font, const std::string& text, Color color, int x, int y,
              int w, int h, TextAlign align, bool wrap);

}  // namespace kelto
