#include "shell/Form2.h"

namespace kelto {

std::string NextDotsCaption(const std::string& caption) {
    if (caption == "Подождите") return "Подождите.";
    if (caption == "Подождите.") return "Подождите..";
    if (caption == "Подождите..") return "Подождите...";
    if (caption == "Подождите...") return "Подождите";
    return caption;
}

Form2::Form2() : Window("Form2") {
    BorderStyle = Border::None;
    ShowInTaskbar = false;
    SetClientSize(5235, 2265);
    BackColor = Color(0x00C0FFC0);
    SetPicture(PackagedPicture("splash.png"));

    Label1.Caption = "Подождите...";
    Label1.Move(1200, 840, 2835, 615);
    Label1.Transparent = true;
    Label1.ForeColor = kWindowText;
    Label1.Alignment = Label::Align::Left;
    Label1.TextFont = Font{"Comic Sans MS", 20.25f};

    Timer1.Tick = [this] { Label1.Caption = NextDotsCaption(Label1.Caption); };
    Timer2.Tick = [this] { HandOver(); };
}

void Form2::Load() {
    Timer2.SetEnabled(true);
}

void Form2::HandOver() {
    Timer2.SetEnabled(false);
    // The game window loads inside this call while the splash stays on the screen.
    Show("Игра");
    Unload(*this);
}

}  // namespace kelto
