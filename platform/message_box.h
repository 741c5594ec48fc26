#pragma once
// The modal message box as a window of our own, drawn by the same renderer with the same fonts.
#include <string>
#include <vector>

#include "platform/window.h"

namespace kelto {

class MessageBoxWindow : public Window {
public:
    MessageBoxWindow(const std::string& prompt, int style, const std::string& title);

    // The answer of each button, left to right; Enter is the first.
    const std::vector<int>& answers() const { return answers_; }
    // The answer for a click on a control, or 0.
    int AnswerFor(const Control* c) const;
    // The answer for a key, or 0: Enter gives the first button, Esc only a single one.
    int AnswerForKey(int keyCode) const;

private:
    void AddIcon(int style);
    void AddButton(const std::string& text, int answer, float left, float top);
    void MarkAsDefault(PictureBox& button, Label& text);

    Label Prompt{*this, nullptr, "Prompt"};
    ControlArray<Shape> IconShape{*this, "IconShape"};
    ControlArray<Label> IconMark{*this, "IconMark"};
    ControlArray<PictureBox> Button{*this, "Button"};
    ControlArray<Label> ButtonText{*this, "ButtonText"};
    ControlArray<Shape> DefaultFrame{*this, "DefaultFrame"};
    std::vector<int> answers_;
};

}  // namespace kelto
