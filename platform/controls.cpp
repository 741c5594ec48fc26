#include "platform/controls.h"

#include <cmath>

#include "platform/runtime.h"
#include "platform/text.h"
#include "platform/window.h"

namespace kelto {
namespace {

std::optional<Value> Number(double v) {
    return Value{v};
}

}  // namespace

Control::Control(Window& window, Control* container, std::string name, int index)
    : window_(window),
      container_(container),
      name_(std::move(name)),
      index_(index),
      z_(static_cast<int>(window.controls().size())) {
    window.registerControl(this);
}

std::string Control::fullName() const {
    return index_ < 0 ? name_ : name_ + "(" + std::to_string(index_) + ")";
}

void Control::touch() {
    window_.touch();
}

void Control::Move(float left, float top, float width, float height) {
    Left = left;
    Top = top;
    Width = width;
    Height = height;
}

std::optional<Value> Control::get(const std::string& prop) const {
    if (prop == "Left") return Number(Left);
    if (prop == "Top") return Number(Top);
    if (prop == "Width") return Number(Width);
    if (prop == "Height") return Number(Height);
    if (prop == "Visible") return Value{Visible.get()};
    return std::nullopt;
}

bool Control::set(const std::string& prop, const Value& v) {
    if (prop == "Left")
        Left = static_cast<float>(AsNumber(v));
    else if (prop == "Top")
        Top = static_cast<float>(AsNumber(v));
    else if (prop == "Width")
        Width = static_cast<float>(AsNumber(v));
    else if (prop == "Height")
        Height = static_cast<float>(AsNumber(v));
    else if (prop == "Visible")
        Visible = AsBool(v);
    else
        return false;
    return true;
}

void Label::AutoSizeToText() {
    auto [w, h] = MeasureText(TextFont.get(), Caption.get());
    Width = static_cast<float>(w) * kTwipsPerPixel;
    Height = static_cast<float>(h) * kTwipsPerPixel;
}

std::optional<Value> Label::get(const std::string& prop) const {
    if (prop == "Caption") return Value{Caption.get()};
    if (prop == "ForeColor") return Number(ForeColor.get().bgr);
    if (prop == "BackColor") return Number(BackColor.get().bgr);
    return Control::get(prop);
}

bool Label::set(const std::string& prop, const Value& v) {
    if (prop == "Caption")
        Caption = AsText(v);
    else if (prop == "ForeColor")
        ForeColor = Color(static_cast<uint32_t>(AsNumber(v)));
    else if (prop == "BackColor")
        BackColor = Color(static_cast<uint32_t>(AsNumber(v)));
    else
        return Control::set(prop, v);
    return true;
}

void PictureBox::SetPicture(Picture p) {
    picture_ = std::move(p);
    if (AutoSize && picture_) {
        Width = static_cast<float>(picture_->width) * kTwipsPerPixel;
        Height = static_cast<float>(picture_->height) * kTwipsPerPixel;
    }
    touch();
}

void PictureBox::Cls() {
    if (drawing_.empty()) return;
    drawing_.clear();
    touch();
}

void PictureBox::PSet(int x, int y, Color color) {
    drawing_.push_back({x, y, color});
    touch();
}

std::optional<Value> PictureBox::get(const std::string& prop) const {
    if (prop == "BackColor") return Number(BackColor.get().bgr);
    if (prop == "Picture") return Value{picture_ ? picture_->source : std::string()};
    if (prop == "Drawn") return Number(static_cast<double>(drawing_.size()));
    return Control::get(prop);
}

bool PictureBox::set(const std::string& prop, const Value& v) {
    if (prop == "BackColor")
        BackColor = Color(static_cast<uint32_t>(AsNumber(v)));
    else
        return Control::set(prop, v);
    return true;
}

std::optional<Value> Frame::get(const std::string& prop) const {
    if (prop == "BackColor") return Number(BackColor.get().bgr);
    return Control::get(prop);
}

void Image::SetPicture(Picture p) {
    picture_ = std::move(p);
    touch();
}

std::optional<Value> Image::get(const std::string& prop) const {
    if (prop == "Picture") return Value{picture_ ? picture_->source : std::string()};
    return Control::get(prop);
}

std::optional<Value> Line::get(const std::string& prop) const {
    if (prop == "X1") return Number(X1);
    if (prop == "Y1") return Number(Y1);
    if (prop == "X2") return Number(X2);
    if (prop == "Y2") return Number(Y2);
    if (prop == "BorderColor") return Number(BorderColor.get().bgr);
    if (prop == "BorderWidth") return Number(BorderWidth);
    return Control::get(prop);
}

bool Line::set(const std::string& prop, const Value& v) {
    float f = static_cast<float>(AsNumber(v));
    if (prop == "X1")
        X1 = f;
    else if (prop == "Y1")
        Y1 = f;
    else if (prop == "X2")
        X2 = f;
    else if (prop == "Y2")
        Y2 = f;
    else
        return Control::set(prop, v);
    return true;
}

std::optional<Value> Shape::get(const std::string& prop) const {
    if (prop == "FillColor") return Number(FillColor.get().bgr);
    return Control::get(prop);
}

std::optional<Value> TextBox::get(const std::string& prop) const {
    if (prop == "Text") return Value{Text.get()};
    return Control::get(prop);
}

bool TextBox::set(const std::string& prop, const Value& v) {
    if (prop == "Text")
        Text = AsText(v);
    else
        return Control::set(prop, v);
    return true;
}

Timer::Timer(Window& w, std::string name, double intervalMs, bool enabled)
    : Control(w, nullptr, std::move(name), -1),
      enabled_(false),
      interval_(intervalMs),
      declared_(w.registerTimer(this)) {
    Visible = false;
    SetEnabled(enabled);
}

double Timer::period() const {
    return std::max(interval_, 15.625);
}

void Timer::SetEnabled(bool on) {
    if (on && !enabled_) due_ = Now() + period();
    enabled_ = on;
}

void Timer::SetInterval(double ms) {
    interval_ = ms;
    if (enabled_) due_ = Now() + period();
}

TickKey Timer::tickKey() const {
    return {due_, window().sequence(), declared_};
}

void Timer::Fire() {
    ++ticks_;
    const double now = Now();
    while (due_ <= now) due_ += period();
    if (Tick) Tick();
}

std::optional<Value> Timer::get(const std::string& prop) const {
    if (prop == "Enabled") return Value{enabled_};
    if (prop == "Interval") return Number(interval_);
    return std::nullopt;
}

bool Timer::set(const std::string& prop, const Value& v) {
    if (prop == "Enabled")
        SetEnabled(AsBool(v));
    else if (prop == "Interval")
        SetInterval(AsNumber(v));
    else
        return false;
    return true;
}

}  // namespace kelto
