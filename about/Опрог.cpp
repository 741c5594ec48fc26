#include "about/Опрог.h"

#include <cmath>
#include <cstdio>
#include <string>

#include "about/clock_geometry.h"
#include "about/strips.h"
#include "about/windows.h"

namespace kelto {
namespace {

constexpr Color kWindowBack = Rgb(192, 192, 255);
constexpr Color kBandGreen = Rgb(0, 192, 0);
const Font kLarge{"Comic Sans MS", 14.25f};
const Font kMedium{"Comic Sans MS", 12};

constexpr float kCentreX = 2520;
constexpr float kCentreY = 3180;
constexpr double kLongHand = 1080;
constexpr double kShortHand = 540;

void Rule(Line& l, float y, Color color) {
    l.Set(0, y, 4980, y);
    l.BorderColor = color;
}

// Left, top of the dial digits 0..12 (0 is the hidden template, captioned "12").
struct DigitPlace {
    float left, top;
};
constexpr DigitPlace kDigits[13] = {
    {5580, 480},  {3120, 1860}, {3540, 2280}, {3720, 3000}, {3540, 3660},
    {3180, 4140}, {2460, 4260}, {1800, 4080}, {1380, 3600}, {1140, 3000},
    {1320, 2280}, {1800, 1860}, {2400, 1680},
};

// Sets a hand's moving end, X2 first, then Y2.
void PointHand(Line& hand, int clockDegrees, double length) {
    const Point end = HandEndPoint(HandAngle(clockDegrees), length);
    hand.X2 = static_cast<float>(end.x);
    hand.Y2 = static_cast<float>(end.y);
}

std::string TimeText(const DateTime& t) {
    char text[16];
    std::snprintf(text, sizeof text, "%02d:%02d:%02d", t.hour, t.minute, t.second);
    return text;
}

}  // namespace

Опрог::Опрог() : Window("Опрог") {
    LayOut();
    Timer1.Tick = [this] { Timer1_Timer(); };
    Timer2.Tick = [this] { Timer2_Timer(); };
    Часы.Tick = [this] { Часы_Timer(); };
}

void Опрог::LayOut() {
    Caption = "О программе";
    BackColor = kWindowBack;
    Icon = PackagedPicture("about_icon.png");
    KeyPreview = true;
    SetClientSize(6585, 6465);

    // The fade-in counter: the alpha last applied, as decimal text. It lies right of the visible
    // area, and the runtime's text box takes no typing, so only the fade changes it.
    Text4.Move(5400, 1560, 255, 285);
    Text4.Text = "0";

    Label3.Move(0, 900, 5070, 390);
    Label3.Caption = "Автор: Команда Келто";
    Label3.Transparent = false;
    Label3.BackColor = Rgb(192, 255, 192);
    Label3.ForeColor = Rgb(255, 0, 0);
    Label3.Alignment = Label::Align::Center;
    Label3.TextFont = kLarge;

    Label8.Move(3780, 5580, 585, 345);
    Label8.Caption = "v1.00";
    Label8.TextFont = kMedium;
    Label8.AutoSizeToText();

    // Sunken rules above and below the two green bands.
    Rule(Line11, 6060, kButtonShadow);
    Rule(Line10, 6075, kButtonHighlight);
    Rule(Line9, 5340, kButtonShadow);
    Rule(Line8, 5355, kButtonHighlight);
    Rule(Line7, 720, kButtonShadow);
    Rule(Line6, 735, kButtonHighlight);
    Rule(Line5, 255, kButtonHighlight);
    Rule(Line4, 240, kButtonShadow);

    Label7.Move(1620, 4680, 1845, 375);
    Label7.Caption = "Label7";
    Label7.ForeColor = Rgb(255, 255, 255);
    Label7.Alignment = Label::Align::Center;
    Label7.TextFont = kMedium;

    Shape2.Move(2340, 3000, 375, 375);
    Shape2.ShapeForm = Shape::Form::Circle;
    Shape2.FillColor = Rgb(0, 0, 255);

    // The hands start at the centre and point to 12.
    Секунда.Set(kCentreX, kCentreY, kCentreX, 2100);
    Секунда.BorderColor = Rgb(255, 0, 0);
    Секунда.BorderWidth = 3;
    Chas.Set(kCentreX, kCentreY, kCentreX, 2640);
    Chas.BorderColor = Rgb(0, 0, 255);
    Chas.BorderWidth = 5;
    Минута.Set(kCentreX, kCentreY, kCentreX, 2100);
    Минута.BorderWidth = 5;

    for (int i = 0; i <= 12; ++i) {
        Label& digit = Цифры.Add(nullptr);
        digit.Move(kDigits[i].left, kDigits[i].top, 255, 345);
        digit.Caption = std::to_string(i == 0 ? 12 : i);
        digit.TextFont = kMedium;
        digit.AutoSizeToText();
    }
    Цифры[0].Visible = false;

    // Mark dots; they get their places on load. Element 0 is the hidden template.
    for (int i = 0; i <= 12; ++i) Line3.Add(nullptr).BorderWidth = 5;
    Line3[0].Set(5940, 840, 5940, 480);
    Line3[0].Visible = false;

    // Wider than the 2835 twips the layout was drawn with for a narrower face: in Comfortaa the
    // first line, "С отзывами обращаться:", needs 229 pixels at 12 pt. The box still ends left of
    // the version text, and the address wraps onto the second line.
    Label4.Move(180, 5340, 3555, 675);
    Label4.Caption = "С отзывами обращаться: kelto@example.org";
    Label4.ForeColor = Rgb(0, 64, 0);
    Label4.WordWrap = true;
    Label4.TextFont = kMedium;

    Label2.Move(2760, 300, 720, 390);
    Label2.Caption = "2026";
    Label2.TextFont = kLarge;
    Label2.AutoSizeToText();

    Label1.Move(1380, 300, 1095, 390);
    Label1.Caption = "Февраль";
    Label1.TextFont = kLarge;
    Label1.AutoSizeToText();

    // Guides at the right and bottom edges of the visible area.
    Line2.Set(4920, 6120, 4920, 0);
    Line2.Visible = false;
    Line1.Set(0, 6120, 4920, 6120);
    Line1.Visible = false;

    Label5.Move(-120, 5340, 5115, 735);
    Label5.Transparent = false;
    Label5.BackColor = kBandGreen;
    Label6.Move(-120, 240, 5115, 495);
    Label6.Transparent = false;
    Label6.BackColor = kBandGreen;

    Shape1.Move(1020, 1620, 3015, 3075);
    Shape1.ShapeForm = Shape::Form::Circle;
    Shape1.FillColor = Rgb(255, 255, 255);
    Shape3.Move(600, 1500, 3855, 3615);
    Shape3.ShapeForm = Shape::Form::Square;
    Shape3.FillColor = Rgb(0, 0, 128);

    for (Label* strip : {&Недели, &Mes}) {
        strip->TextFont = kLarge;
        strip->Visible = false;
    }
    Недели.Move(120, 720, 315, 4575);
    Mes.Move(4500, 660, 315, 4575);

    SetDrawingOrder(
        {&Text4,     &Label3,   &Label8,   &Line11,   &Line10,    &Line9,     &Line8,
         &Line7,     &Line6,    &Line5,    &Line4,    &Label7,    &Shape2,    &Секунда,
         &Chas,      &Минута,   &Цифры[0], &Цифры[1], &Цифры[2],  &Цифры[3],  &Цифры[4],
         &Цифры[5],  &Цифры[6], &Цифры[7], &Цифры[8], &Цифры[9],  &Цифры[10], &Цифры[11],
         &Цифры[12], &Line3[0], &Line3[1], &Line3[2], &Line3[3],  &Line3[4],  &Line3[5],
         &Line3[6],  &Line3[7], &Line3[8], &Line3[9], &Line3[10], &Line3[11], &Line3[12],
         &Label4,    &Label2,   &Label1,   &Line2,    &Line1,     &Label5,    &Label6,
         &Shape1,    &Shape3,   &Недели,   &Mes,      &Timer2,    &Timer1,    &Часы});
}

void Опрог::Load() {
    // Fully transparent until the fade-in starts.
    SetAlpha(0);

    // The hidden strips: today's weekday and date, one character per line. The weekday number
    // and its name are counted from the same first day of the week (Monday, as in the Russian
    // locale), so the strip names today's day whichever day a week starts on.
    const DateTime today = LocalTime();
    Недели.Caption = ReadDownwards(WeekdayName(today.weekday()));
    Mes.Caption = ReadDownwards(DayMonthYear(today.day, today.month, today.year));

    // The visible part of the design: Text4 and the hidden templates stay right of it.
    SetHeight(6630);
    SetWidth(5025);

    PlaceMarks();
}

void Опрог::PlaceMarks() {
    for (int i = 1; i <= 12; ++i) Line3[i].X1 = static_cast<float>(MarkPositions[i].x);
    for (int i = 1; i <= 12; ++i) Line3[i].Y1 = static_cast<float>(MarkPositions[i].y);
    for (int i = 1; i <= 12; ++i) {
        Line3[i].X2 = Line3[i].X1.get();
        Line3[i].Y2 = Line3[i].Y1.get();
    }
}

void Опрог::KeyDown(int keyCode) {
    if (keyCode == kKeyEscape) Unload(*this);
}

void Опрог::Timer2_Timer() {
    const int alpha = std::stoi(Text4.Text.get()) + 5;
    if (alpha == 215) Timer2.SetEnabled(false);
    SetAlpha(alpha);
    Text4.Text = std::to_string(alpha);
}

void Опрог::Timer1_Timer() {
    Mes.Top += 60;
    if (Mes.Top > Height()) Mes.Top = -Mes.Height;
    Недели.Top -= 60;
    if (-Недели.Height > Недели.Top) Недели.Top = Height();
}

void Опрог::Часы_Timer() {
    // Every value is read from the clock when it is used.
    Label7.Caption = TimeText(LocalTime());
    const int s = LocalTime().second;
    const int secondDegrees = 6 * s;
    const int m = LocalTime().minute;
    const int minuteDegrees = 6 * m;
    const int h = LocalTime().hour;
    const int m2 = LocalTime().minute;
    const int hourDegrees = HourHandDegrees(h, m2);
    PointHand(Секунда, secondDegrees, kLongHand);
    PointHand(Минута, minuteDegrees, kLongHand);
    PointHand(Chas, hourDegrees, kShortHand);
}

void RegisterAboutWindows(Runtime& runtime) {
    runtime.RegisterWindow("Опрог", [] { return std::make_unique<Опрог>(); });
}

}  // namespace kelto
