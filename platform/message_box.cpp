#include "platform/message_box.h"

#include <algorithm>

#include "platform/runtime.h"
#include "platform/text.h"

namespace kelto {
namespace {

constexpr float kPad = 12 * kTwipsPerPixel;
constexpr float kIconSize = 32 * kTwipsPerPixel;
constexpr float kButtonW = 75 * kTwipsPerPixel;
constexpr float kButtonH = 23 * kTwipsPerPixel;
constexpr float kButtonGap = 8 * kTwipsPerPixel;
constexpr float kFocusInset = 4 * kTwipsPerPixel;
const Color kButtonFace = Rgb(225, 225, 225);

}  // namespace

MessageBoxWindow::MessageBoxWindow(const std::string& prompt, int style, const std::string& title)
    : Window("MsgBox") {
    Caption = title;
    BackColor = Rgb(212, 208, 200);
    KeyPreview = true;

    const int icon = style & 0x70;
    const float textLeft = icon ? kPad * 2 + kIconSize : kPad * 2;
    Prompt.TextFont = Font{"MS Sans Serif", 9};
    std::string text = prompt;
    text.erase(std::remove(text.begin(), text.end(), '\r'), text.end());
    Prompt.Caption = text;
    Prompt.WordWrap = true;
    int textW = 0, textH = 0, lineH = MeasureText(Prompt.TextFont, "Ay").second;
    size_t start = 0;
    while (start <= text.size()) {
        size_t end = std::min(text.find('\n', start), text.size());
        textW =
            std::max(textW, MeasureText(Prompt.TextFont, text.substr(start, end - start)).first);
        textH += lineH;
        start = end + 1;
    }
    Prompt.Move(textLeft, kPad * 1.5f, (textW + 4) * kTwipsPerPixel, textH * kTwipsPerPixel);
    AddIcon(icon);

    const bool yesNo = (style & 0x0F) == 4;
    const int buttons = yesNo ? 2 : 1;
    const float buttonsW = buttons * kButtonW + (buttons - 1) * kButtonGap;
    const float contentW = std::max(textLeft + Prompt.Width + kPad * 2, buttonsW + kPad * 4);
    const float top = std::max(Prompt.Top + Prompt.Height, kPad + kIconSize) + kPad * 1.5f;
    float left = (contentW - buttonsW) / 2;
    if (yesNo) {
        AddButton("Да", kYes, left, top);
        AddButton("Нет", kNo, left + kButtonW + kButtonGap, top);
    } else {
        AddButton("OK", kOk, left, top);
    }
    SetClientSize(contentW, top + kButtonH + kPad);
}

void MessageBoxWindow::AddIcon(int icon) {
    if (!icon) return;
    Shape& disc = IconShape.Add(nullptr);
    disc.ShapeForm = Shape::Form::Circle;
    disc.Move(kPad * 1.5f, kPad, kIconSize, kIconSize);
    Label& mark = IconMark.Add(nullptr);
    mark.TextFont = Font{"MS Sans Serif", 16, true};
    mark.ForeColor = Rgb(255, 255, 255);
    mark.Alignment = Label::Align::Center;
    mark.Move(disc.Left, disc.Top + 2 * kTwipsPerPixel, kIconSize, kIconSize);
    switch (icon) {
        case kCritical:
            disc.FillColor = Rgb(220, 30, 30);
            mark.Caption = "X";
            break;
        case 0x20:
            disc.FillColor = Rgb(40, 90, 210);
            mark.Caption = "?";
            break;
        default:
            disc.FillColor = Rgb(40, 90, 210);
            mark.Caption = "i";
            break;
    }
    disc.BorderColor = disc.FillColor;
    SetDrawingOrder({&mark, &disc});
}

void MessageBoxWindow::AddButton(const std::string& text, int answer, float left, float top) {
    PictureBox& box = Button.Add(nullptr);
    box.BackColor = kButtonFace;
    box.Move(left, top, kButtonW, kButtonH);
    Label& label = ButtonText.Add(&box);
    label.TextFont = Font{"MS Sans Serif", 9};
    label.Alignment = Label::Align::Center;
    label.Caption = text;
    label.Move(0, 4 * kTwipsPerPixel, kButtonW, kButtonH);
    if (answers_.empty()) MarkAsDefault(box, label);
    answers_.push_back(answer);
}

void MessageBoxWindow::MarkAsDefault(PictureBox& button, Label& text) {
    // The button Enter presses: a dark outline, and a focus frame inside it.
    Shape& outline = DefaultFrame.Add(&button);
    outline.Move(0, 0, kButtonW, kButtonH);
    outline.BorderColor = Rgb(0, 0, 0);
    Shape& focus = DefaultFrame.Add(&button);
    focus.Move(kFocusInset, kFocusInset, kButtonW - 2 * kFocusInset, kButtonH - 2 * kFocusInset);
    focus.BorderColor = Rgb(96, 96, 96);
    for (Shape* s : {&outline, &focus}) s->FillColor = kButtonFace;
    SetDrawingOrder({&text, &focus, &outline});
}

int MessageBoxWindow::AnswerFor(const Control* c) const {
    for (int i = 0; i < static_cast<int>(answers_.size()); ++i) {
        const Control* box = &Button[i];
        const Control* label = &ButtonText[i];
        if (c == box || c == label) return answers_[static_cast<size_t>(i)];
    }
    return 0;
}

int MessageBoxWindow::AnswerForKey(int keyCode) const {
    if (keyCode == kKeyEnter) return answers_.front();
    if (keyCode == kKeyEscape && answers_.size() == 1) return answers_.front();
    return 0;
}

}  // namespace kelto
