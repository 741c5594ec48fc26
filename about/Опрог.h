#pragma once
// The About window: author, date and feedback lines, the version, and an analog clock with the
// time as text. It fades in from fully transparent to a fixed translucency.
#include "platform/runtime.h"

namespace kelto {

class Опрог : public Window {
public:
    Опрог();

    void Load() override;
    void KeyDown(int keyCode) override;

    void Timer1_Timer();  // runs the hidden strips along the edges (the timer stays off)
    void Timer2_Timer();  // fade-in
    void Часы_Timer();    // clock

    // Controls, from the top of the drawing order to the bottom.
    TextBox Text4{*this, nullptr, "Text4"};
    Label Label3{*this, nullptr, "Label3"};
    Label Label8{*this, nullptr, "Label8"};
    Line Line11{*this, nullptr, "Line11"};
    Line Line10{*this, nullptr, "Line10"};
    Line Line9{*this, nullptr, "Line9"};
    Line Line8{*this, nullptr, "Line8"};
    Line Line7{*this, nullptr, "Line7"};
    Line Line6{*this, nullptr, "Line6"};
    Line Line5{*this, nullptr, "Line5"};
    Line Line4{*this, nullptr, "Line4"};
    Label Label7{*this, nullptr, "Label7"};
    Shape Shape2{*this, nullptr, "Shape2"};
    Line Секунда{*this, nullptr, "Секунда"};
    Line Chas{*this, nullptr, "Chas"};
    Line Минута{*this, nullptr, "Минута"};
    ControlArray<Label> Цифры{*this, "Цифры"};
    ControlArray<Line> Line3{*this, "Line3"};
    Label Label4{*this, nullptr, "Label4"};
    Label Label2{*this, nullptr, "Label2"};
    Label Label1{*this, nullptr, "Label1"};
    Line Line2{*this, nullptr, "Line2"};
    Line Line1{*this, nullptr, "Line1"};
    Label Label5{*this, nullptr, "Label5"};
    Label Label6{*this, nullptr, "Label6"};
    Shape Shape1{*this, nullptr, "Shape1"};
    Shape Shape3{*this, nullptr, "Shape3"};
    Label Недели{*this, nullptr, "Недели"};
    Label Mes{*this, nullptr, "Mes"};

    Timer Timer2{*this, "Timer2", 60, true};
    Timer Timer1{*this, "Timer1", 40, false};
    Timer Часы{*this, "Часы", 100, true};

private:
    void LayOut();
    void PlaceMarks();
};

}  // namespace kelto
