#pragma once
// The one renderer: draws a window's client area into pixels, live and headless alike.
#include "platform/canvas.h"
#include "platform/window.h"

namespace kelto {

Canvas RenderWindow(const Window& w);
// The same into a canvas kept from an earlier frame (resized when the window changed size).
void RenderWindow(const Window& w, Canvas& into);

// The control that receives the mouse at a client pixel (topmost visible control that takes
// mouse events), or null for the window surface.
Control* ControlAt(const Window& w, int x, int y);

}  // namespace kelto
