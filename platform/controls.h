#pragma once
// Windows hold controls; controls hold the state. Every property change marks the window for
// repainting, so a window is drawn only when something in it changed.
#include <compare>
#include <cstdint>
#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "platform/color.h"
#include "platform/picture.h"
#include "platform/value.h"

namespace kelto {

class Window;
class Control;

constexpr float kTwipsPerPixel = 15.0f;

constexpr Color kButtonShadow = Rgb(128, 128, 128);
constexpr Color kButtonHighlight = Rgb(255, 255, 255);
constexpr Color kWindowText = Rgb(0, 0, 0);

// Anything whose properties, when changed, call for a repaint.
class Touchable {
public:
    virtual ~Touchable() = default;
    virtual void touch() = 0;
};

// A property: reads like the value, and marks its window dirty when it changes.
template <class T>
class Prop {
public:
    Prop(Touchable* owner, T v) : owner_(owner), v_(std::move(v)) {}
    Prop(const Prop&) = delete;
    operator const T&() const { return v_; }
    const T& get() const { return v_; }
    Prop& operator=(const T& v) {
        if (!(v == v_)) {
            v_ = v;
            owner_->touch();
        }
        return *this;
    }
    Prop& operator=(const Prop& other) { return *this = other.v_; }
    template <class U>
    Prop& operator+=(const U& d) {
        return *this = static_cast<T>(v_ + d);
    }
    template <class U>
    Prop& operator-=(const U& d) {
        return *this = static_cast<T>(v_ - d);
    }

private:
    Touchable* owner_;
    T v_;
};

struct Font {
    std::string face = "MS Sans Serif";  // "Comic Sans MS" or the default sans-serif
    float size = 8.0f;                   // points
    bool bold = false;
    bool operator==(const Font&) const = default;
};

using Handler = std::function<void()>;
using MouseHandler = std::function<void(int button)>;

class Control : public Touchable {
public:
    enum class Kind { Label, PictureBox, Image, Frame, Line, Shape, TextBox, Timer };

    Control(Window& window, Control* container, std::string name, int index);
    virtual ~Control() = default;
    Control(const Control&) = delete;

    virtual Kind kind() const = 0;
    bool isContainer() const { return kind() == Kind::PictureBox || kind() == Kind::Frame; }
    // Boxes (picture boxes, frames, text boxes) always cover the light controls beside them.
    bool isBox() const { return isContainer() || kind() == Kind::TextBox; }

    Window& window() const { return window_; }
    Control* container() const { return container_; }
    const std::string& name() const { return name_; }
    int index() const { return index_; }
    std::string fullName() const;  // Name or Name(i)
    int z() const { return z_; }
    void setZ(int z) { z_ = z; }

    void Move(float left, float top, float width, float height);

    Prop<float> Left{this, 0};
    Prop<float> Top{this, 0};
    Prop<float> Width{this, 0};
    Prop<float> Height{this, 0};
    Prop<bool> Visible{this, true};

    MouseHandler MouseDown, MouseUp, MouseMove;
    Handler Click;

    // Property access by name for scripts; nullopt / false for an unknown name.
    virtual std::optional<Value> get(const std::string& prop) const;
    virtual bool set(const std::string& prop, const Value& v);

    void touch() override;

private:
    Window& window_;
    Control* container_;
    std::string name_;
    int index_;
    int z_;
};

class Label : public Control {
public:
    enum class Align { Left, Center };
    Label(Window& w, Control* container, std::string name, int index = -1)
        : Control(w, container, std::move(name), index) {}
    Kind kind() const override { return Kind::Label; }

    Prop<std::string> Caption{this, ""};
    Prop<Color> ForeColor{this, kWindowText};
    Prop<Color> BackColor{this, Rgb(192, 192, 192)};
    Prop<bool> Transparent{this, true};
    Prop<Align> Alignment{this, Align::Left};
    Prop<bool> WordWrap{this, false};
    Prop<Font> TextFont{this, Font{}};
    // Sized to its text: Width and Height follow the caption and the font.
    void AutoSizeToText();

    std::optional<Value> get(const std::string& prop) const override;
    bool set(const std::string& prop, const Value& v) override;
};

// Pixels drawn on a box at run time (set-pixel), beneath its controls, above its picture.
struct DrawnPixel {
    int x, y;
    Color color;
};

class PictureBox : public Control {
public:
    PictureBox(Window& w, Control* container, std::string name, int index = -1)
        : Control(w, container, std::move(name), index) {}
    Kind kind() const override { return Kind::PictureBox; }

    Prop<Color> BackColor{this, Rgb(192, 192, 192)};
    // Sized to its picture: setting a picture resizes the box.
    bool AutoSize = false;
    const Picture& picture() const { return picture_; }
    void SetPicture(Picture p);

    // Drawing layer, in pixels of the box.
    void Cls();
    void PSet(int x, int y, Color color);
    const std::vector<DrawnPixel>& drawing() const { return drawing_; }

    std::optional<Value> get(const std::string& prop) const override;
    bool set(const std::string& prop, const Value& v) override;

private:
    Picture picture_;
    std::vector<DrawnPixel> drawing_;
};

class Frame : public Control {
public:
    Frame(Window& w, Control* container, std::string name, int index = -1)
        : Control(w, container, std::move(name), index) {}
    Kind kind() const override { return Kind::Frame; }
    Prop<Color> BackColor{this, Rgb(192, 192, 192)};
    std::optional<Value> get(const std::string& prop) const override;
};

// A picture drawn at its natural size; transparent where the picture is.
class Image : public Control {
public:
    Image(Window& w, Control* container, std::string name, int index = -1)
        : Control(w, container, std::move(name), index) {}
    Kind kind() const override { return Kind::Image; }
    const Picture& picture() const { return picture_; }
    void SetPicture(Picture p);
    std::optional<Value> get(const std::string& prop) const override;

private:
    Picture picture_;
};

class Line : public Control {
public:
    Line(Window& w, Control* container, std::string name, int index = -1)
        : Control(w, container, std::move(name), index) {}
    Kind kind() const override { return Kind::Line; }
    void Set(float x1, float y1, float x2, float y2) { X1 = x1, Y1 = y1, X2 = x2, Y2 = y2; }
    Prop<float> X1{this, 0};
    Prop<float> Y1{this, 0};
    Prop<float> X2{this, 0};
    Prop<float> Y2{this, 0};
    Prop<Color> BorderColor{this, kWindowText};
    Prop<int> BorderWidth{this, 1};
    std::optional<Value> get(const std::string& prop) const override;
    bool set(const std::string& prop, const Value& v) override;
};

class Shape : public Control {
public:
    enum class Form { Rectangle, Square, Circle };
    Shape(Window& w, Control* container, std::string name, int index = -1)
        : Control(w, container, std::move(name), index) {}
    Kind kind() const override { return Kind::Shape; }
    Prop<Form> ShapeForm{this, Form::Rectangle};
    Prop<Color> FillColor{this, kWindowText};
    Prop<Color> BorderColor{this, kWindowText};
    std::optional<Value> get(const std::string& prop) const override;
};

class TextBox : public Control {
public:
    TextBox(Window& w, Control* container, std::string name, int index = -1)
        : Control(w, container, std::move(name), index) {}
    Kind kind() const override { return Kind::TextBox; }
    Prop<std::string> Text{this, ""};
    Prop<Font> TextFont{this, Font{}};
    std::optional<Value> get(const std::string& prop) const override;
    bool set(const std::string& prop, const Value& v) override;
};

// Where a tick stands among the ticks due: the earlier due time first; at the same time, the
// window loaded first; within one window, the timer declared first.
struct TickKey {
    double due;
    uint64_t windowSequence;
    int declared;
    auto operator<=>(const TickKey&) const = default;
};

// A periodic timer of its window. Switching it on starts a fresh interval; it never has more
// than one tick pending.
class Timer : public Control {
public:
    Timer(Window& w, std::string name, double intervalMs, bool enabled);
    Kind kind() const override { return Kind::Timer; }

    bool Enabled() const { return enabled_; }
    void SetEnabled(bool on);
    double Interval() const { return interval_; }
    void SetInterval(double ms);
    Handler Tick;

    // Runtime side.
    double due() const { return due_; }
    double period() const;  // the interval as ticked: never shorter than 15.625 ms
    uint64_t tickCount() const { return ticks_; }
    void Fire();  // delivers one tick and schedules the next
    TickKey tickKey() const;

    std::optional<Value> get(const std::string& prop) const override;
    bool set(const std::string& prop, const Value& v) override;

private:
    bool enabled_;
    double interval_;
    double due_ = 0;
    uint64_t ticks_ = 0;
    int declared_;  // the timer's place among its window's timers
};

// Elements sharing one name, addressed by index from 0.
template <class T>
class ControlArray {
public:
    ControlArray(Window& w, std::string name) : window_(w), name_(std::move(name)) {}
    T& Add(Control* container) {
        return elements_.emplace_back(window_, container, name_,
                                      static_cast<int>(elements_.size()));
    }
    T& operator[](int i) { return elements_.at(static_cast<size_t>(i)); }
    T& operator()(int i) { return elements_.at(static_cast<size_t>(i)); }
    const T& operator[](int i) const { return elements_.at(static_cast<size_t>(i)); }
    int Count() const { return static_cast<int>(elements_.size()); }
    auto begin() { return elements_.begin(); }
    auto end() { return elements_.end(); }

private:
    Window& window_;
    std::string name_;
    std::deque<T> elements_;
};

}  // namespace kelto
