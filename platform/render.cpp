#include "platform/render.h"

#include <algorithm>
#include <cmath>

#include "platform/text.h"

namespace kelto {
namespace {

int Px(float twips) {
    return static_cast<int>(std::lround(twips / kTwipsPerPixel));
}

// The rectangle of a control in client pixels, given its container's origin.
Rect Bounds(const Control& c, int ox, int oy) {
    return {ox + Px(c.Left), oy + Px(c.Top), ox + Px(c.Left + c.Width), oy + Px(c.Top + c.Height)};
}

// Children of a container (null: the window), bottom of the drawing order first: the light
// controls, then the boxes over them.
std::vector<Control*> PaintOrder(const Window& w, const Control* container) {
    std::vector<Control*> kids;
    for (Control* c : w.controls()) {
        if (c->container() == container && c->kind() != Control::Kind::Timer) kids.push_back(c);
    }
    std::stable_sort(kids.begin(), kids.end(), [](Control* a, Control* b) {
        if (a->isBox() != b->isBox()) return !a->isBox();
        return a->z() > b->z();
    });
    return kids;
}

void PaintChildren(Canvas& cv, const Window& w, const Control* container, int ox, int oy);

// The back colour, then the picture from the top left corner; the colour shows only where the
// picture does not cover the rectangle.
void PaintBackground(Canvas& cv, Rect r, Color backColor, const Bitmap* picture) {
    const bool covered = picture && picture->opaque && r.x1 - r.x0 <= picture->width &&
                         r.y1 - r.y0 <= picture->height;
    if (!covered) cv.FillRect(r, ToPixel(backColor));
    if (picture) cv.DrawPicture(*picture, r.x0, r.y0);
}

Rect Centered(Rect r, bool square) {
    if (!square) return r;
    const int side = std::min(r.x1 - r.x0, r.y1 - r.y0);
    const int x = r.x0 + (r.x1 - r.x0 - side) / 2, y = r.y0 + (r.y1 - r.y0 - side) / 2;
    return {x, y, x + side, y + side};
}

void PaintControl(Canvas& cv, const Window& w, const Control& c, int ox, int oy) {
    const Rect r = Bounds(c, ox, oy);
    switch (c.kind()) {
        case Control::Kind::Label: {
            auto& l = static_cast<const Label&>(c);
            if (!l.Transparent) cv.FillRect(r, ToPixel(l.BackColor));
            DrawText(cv, l.TextFont, l.Caption, l.ForeColor, r.x0, r.y0, r.x1 - r.x0, r.y1 - r.y0,
                     l.Alignment == Label::Align::Center ? TextAlign::Center : TextAlign::Left,
                     l.WordWrap);
            break;
        }
        case Control::Kind::Image: {
            auto& im = static_cast<const Image&>(c);
            if (!im.picture()) break;
            const Rect saved = cv.clip;
            cv.clip = cv.clip.intersect(r);
            cv.DrawPicture(*im.picture(), r.x0, r.y0);
            cv.clip = saved;
            break;
        }
        case Control::Kind::Line: {
            auto& ln = static_cast<const Line&>(c);
            cv.DrawLine(ox + Px(ln.X1), oy + Px(ln.Y1), ox + Px(ln.X2), oy + Px(ln.Y2),
                        ln.BorderWidth, ToPixel(ln.BorderColor));
            break;
        }
        case Control::Kind::Shape: {
            auto& s = static_cast<const Shape&>(c);
            const Pixel fill = ToPixel(s.FillColor);
            const Pixel border = ToPixel(s.BorderColor);
            if (s.ShapeForm == Shape::Form::Circle) {
                const Rect box = Centered(r, true);
                cv.FillEllipse(box, fill);
                cv.FrameEllipse(box, border);
            } else {
                const Rect box = Centered(r, s.ShapeForm == Shape::Form::Square);
                cv.FillRect(box, fill);
                cv.FrameRect(box, border);
            }
            break;
        }
        case Control::Kind::TextBox: {
            auto& t = static_cast<const TextBox&>(c);
            const Rect saved = cv.clip;
            cv.clip = cv.clip.intersect(r);
            cv.FillRect(r, Pixel::Opaque(0xFFFFFF));
            cv.FrameRect(r, Pixel::Opaque(0x808080));
            cv.FrameRect({r.x0 + 1, r.y0 + 1, r.x1 - 1, r.y1 - 1}, Pixel::Opaque(0x404040));
            DrawText(cv, t.TextFont, t.Text, kWindowText, r.x0 + 3, r.y0 + 2, r.x1 - r.x0 - 5,
                     r.y1 - r.y0 - 3, TextAlign::Left, false);
            cv.clip = saved;
            break;
        }
        case Control::Kind::PictureBox:
        case Control::Kind::Frame: {
            const Rect saved = cv.clip;
            cv.clip = cv.clip.intersect(r);
            if (!cv.clip.empty()) {
                if (c.kind() == Control::Kind::Frame) {
                    cv.FillRect(r, ToPixel(static_cast<const Frame&>(c).BackColor));
                } else {
                    auto& pb = static_cast<const PictureBox&>(c);
                    PaintBackground(cv, r, pb.BackColor, pb.picture().get());
                    for (const DrawnPixel& p : pb.drawing()) {
                        cv.Put(r.x0 + p.x, r.y0 + p.y, ToPixel(p.color));
                    }
                }
                PaintChildren(cv, w, &c, r.x0, r.y0);
            }
            cv.clip = saved;
            break;
        }
        case Control::Kind::Timer:
            break;
    }
}

void PaintChildren(Canvas& cv, const Window& w, const Control* container, int ox, int oy) {
    for (Control* c : PaintOrder(w, container)) {
        if (c->Visible) PaintControl(cv, w, *c, ox, oy);
    }
}

bool TakesMouse(const Control& c) {
    switch (c.kind()) {
        case Control::Kind::Line:
        case Control::Kind::Shape:
        case Control::Kind::Timer:
            return false;
        default:
            return true;
    }
}

Control* HitIn(const Window& w, const Control* container, int ox, int oy, int x, int y) {
    auto kids = PaintOrder(w, container);
    for (auto it = kids.rbegin(); it != kids.rend(); ++it) {
        Control* c = *it;
        if (!c->Visible || !TakesMouse(*c)) continue;
        const Rect r = Bounds(*c, ox, oy);
        if (!r.contains(x, y)) continue;
        if (c->isContainer()) {
            if (Control* inner = HitIn(w, c, r.x0, r.y0, x, y)) return inner;
        }
        return c;
    }
    return nullptr;
}

}  // namespace

Canvas RenderWindow(const Window& w) {
    Canvas cv(w.ClientWidthPx(), w.ClientHeightPx());
    RenderWindow(w, cv);
    return cv;
}

void RenderWindow(const Window& w, Canvas& cv) {
    if (cv.width != w.ClientWidthPx() || cv.height != w.ClientHeightPx())
        cv = Canvas(w.ClientWidthPx(), w.ClientHeightPx());
    cv.clip = {0, 0, cv.width, cv.height};
    PaintBackground(cv, cv.clip, w.BackColor, w.picture().get());
    PaintChildren(cv, w, nullptr, 0, 0);
}

Control* ControlAt(const Window& w, int x, int y) {
    return HitIn(w, nullptr, 0, 0, x, y);
}

}  // namespace kelto
