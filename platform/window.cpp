#include "platform/window.h"

#include <cmath>

#include "platform/runtime.h"

namespace kelto {
namespace {

constexpr int kBorderPx = 3;    // fixed single border, each side
constexpr int kCaptionPx = 19;  // caption bar of a fixed single window

int ToPixels(float twips) {
    return static_cast<int>(std::lround(twips / kTwipsPerPixel));
}

}  // namespace

Window::Window(std::string name) : name_(std::move(name)) {}

Window::~Window() = default;

void Window::registerControl(Control* c) {
    controls_.push_back(c);
}

int Window::registerTimer(Timer* t) {
    timers_.push_back(t);
    return static_cast<int>(timers_.size()) - 1;
}

void Window::SetPicture(Picture p) {
    picture_ = std::move(p);
    touch();
}

void Window::SetWidth(float twips) {
    outerWidth_ = twips;
    touch();
    WindowResized(*this);
}

void Window::SetHeight(float twips) {
    outerHeight_ = twips;
    touch();
    WindowResized(*this);
}

int Window::FrameLeftPx() const {
    return BorderStyle == Border::None ? 0 : kBorderPx;
}
int Window::FrameTopPx() const {
    return BorderStyle == Border::None ? 0 : kBorderPx + kCaptionPx;
}

void Window::SetClientSize(float widthTwips, float heightTwips) {
    outerWidth_ = widthTwips + 2 * FrameLeftPx() * kTwipsPerPixel;
    outerHeight_ = heightTwips + (FrameTopPx() + FrameLeftPx()) * kTwipsPerPixel;
    touch();
    WindowResized(*this);
}

int Window::ClientWidthPx() const {
    return std::max(1, ToPixels(outerWidth_) - 2 * FrameLeftPx());
}
int Window::ClientHeightPx() const {
    return std::max(1, ToPixels(outerHeight_) - FrameTopPx() - FrameLeftPx());
}

void Window::SetAlpha(int alpha) {
    alpha_ = std::clamp(alpha, 0, 255);
    WindowOpacityChanged(*this);
}

Control* Window::FindControl(const std::string& name, int index) const {
    for (Control* c : controls_) {
        if (c->name() == name && c->index() == index) return c;
    }
    return nullptr;
}

Timer* Window::FindTimer(const std::string& name) const {
    for (Timer* t : timers_) {
        if (t->name() == name) return t;
    }
    return nullptr;
}

void Window::SetDrawingOrder(std::initializer_list<Control*> topFirst) {
    int z = 0;
    for (Control* c : topFirst) c->setZ(z++);
}

const Window::Variable* Window::FindVariable(const std::string& name) const {
    auto it = variables_.find(name);
    return it == variables_.end() ? nullptr : &it->second;
}

std::optional<Value> Window::get(const std::string& prop) const {
    if (prop == "Caption") return Value{Caption.get()};
    if (prop == "Width") return Value{static_cast<double>(outerWidth_)};
    if (prop == "Height") return Value{static_cast<double>(outerHeight_)};
    if (prop == "Alpha") return Value{static_cast<double>(alpha_)};
    if (prop == "Visible") return Value{shown};
    if (prop == "Picture") return Value{picture_ ? picture_->source : std::string()};
    if (auto* v = FindVariable(prop)) return v->get();
    return std::nullopt;
}

bool Window::set(const std::string& prop, const Value& v) {
    if (prop == "Caption")
        Caption = AsText(v);
    else if (prop == "Width")
        SetWidth(static_cast<float>(AsNumber(v)));
    else if (prop == "Height")
        SetHeight(static_cast<float>(AsNumber(v)));
    else if (auto* var = FindVariable(prop); var && var->set)
        var->set(v);
    else
        return false;
    return true;
}

}  // namespace kelto
