#pragma once
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "platform/controls.h"

namespace kelto {

// A top-level window. Each kind has one default instance, addressed by its name; loading creates
// it with its controls in their design state, unloading destroys it.
class Window : public Touchable {
public:
    enum class Border { FixedSingle, None };

    explicit Window(std::string name);
    ~Window() override;
    Window(const Window&) = delete;

    const std::string& name() const { return name_; }

    // Handlers.
    virtual void Load() {}
    virtual void QueryUnload() {}
    virtual void KeyDown(int /*keyCode*/) {}
    virtual void KeyUp(int /*keyCode*/) {}
    MouseHandler MouseDown, MouseUp, MouseMove;  // on the window surface
    // One line describing the game state, for the replay tool's `state`; empty for none.
    virtual std::string State() const { return {}; }

    // Properties.
    Prop<std::string> Caption{this, ""};
    Prop<Color> BackColor{this, Rgb(192, 192, 192)};
    Border BorderStyle = Border::FixedSingle;
    bool KeyPreview = false;
    bool ShowInTaskbar = true;
    Picture Icon;
    const Picture& picture() const { return picture_; }
    void SetPicture(Picture p);

    // Outer size in twips (client area plus border and caption).
    float Width() const { return outerWidth_; }
    float Height() const { return outerHeight_; }
    void SetWidth(float twips);
    void SetHeight(float twips);
    void SetClientSize(float widthTwips, float heightTwips);
    int ClientWidthPx() const;
    int ClientHeightPx() const;
    int FrameLeftPx() const;  // border width; the caption adds to the top
    int FrameTopPx() const;

    // Per-window opacity, 0 to 255.
    int Alpha() const { return alpha_; }
    void SetAlpha(int alpha);

    // Controls in the order they were created; the drawing order is by z (lower is on top).
    const std::vector<Control*>& controls() const { return controls_; }
    Control* FindControl(const std::string& name, int index = -1) const;
    Timer* FindTimer(const std::string& name) const;
    const std::vector<Timer*>& timers() const { return timers_; }
    // Restates the drawing order, top first, for controls whose creation order differs.
    void SetDrawingOrder(std::initializer_list<Control*> topFirst);

    // Window-level variables that scripts may read and set.
    struct Variable {
        std::function<Value()> get;
        std::function<void(const Value&)> set;
    };
    void Expose(const std::string& name, Variable v) { variables_[name] = std::move(v); }
    const Variable* FindVariable(const std::string& name) const;

    std::optional<Value> get(const std::string& prop) const;
    bool set(const std::string& prop, const Value& v);

    void touch() override { dirty_ = true; }
    bool dirty() const { return dirty_; }
    void clearDirty() { dirty_ = false; }

    // Runtime bookkeeping.
    void registerControl(Control* c);
    int registerTimer(Timer* t);  // returns the timer's place in the window's order
    uint64_t sequence() const { return sequence_; }
    void setSequence(uint64_t s) { sequence_ = s; }
    bool shown = false;
    bool unloaded = false;

private:
    std::string name_;
    float outerWidth_ = 0;
    float outerHeight_ = 0;
    int alpha_ = 255;
    Picture picture_;
    std::vector<Control*> controls_;
    std::vector<Timer*> timers_;
    std::map<std::string, Variable> variables_;
    uint64_t sequence_ = 0;
    bool dirty_ = true;
};

}  // namespace kelto
