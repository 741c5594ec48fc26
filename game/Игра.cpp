#include "game/Игра.h"

#include <sstream>

#include "game/Модуль1.h"
#include "platform/files.h"

namespace kelto {
namespace {

constexpr Color kSky{0x00FFC0C0};
constexpr Color kGreen{0x0000C000};
constexpr Color kOrange{0x000080FF};
constexpr Color kBrown{0x00004080};
constexpr Color kMenuCaption{0x00C0FFFF};

void MenuCaption(Label& l, const char* text, float left) {
    l.Caption = text;
    l.Move(left, 180, 1395, 435);
    l.ForeColor = kMenuCaption;
    l.TextFont = Font{"Comic Sans MS", 12};
    l.Alignment = Label::Align::Center;
}

void BarRule(Line& l, float y, float length) {
    l.Set(0, y, length, y);
    l.BorderColor = kBrown;
    l.BorderWidth = 6;
}

}  // namespace

LevelMapData& Игра::LevelData() {
    static LevelMapData data;
    return data;
}

Игра::Игра() : Window("Игра") {
    LayOut();
    ConnectHandlers();
}

void Игра::LayOut() {
    Caption = "Келто";
    Icon = PackagedPicture("icon.png");
    KeyPreview = true;
    SetClientSize(12225, 8715);

    Frame1.Move(11040, 240, 8295, 7935);
    Frame1.BackColor = Color(0x00000000);
    Frame1.Visible = false;
    Label6.Caption = "Загрузка...";
    Label6.ForeColor = Color(0x0000FFFF);
    Label6.TextFont = Font{"Comic Sans MS", 20.25f};
    Label6.Move(3120, 3300, 1965, 570);
    Label6.AutoSizeToText();

    const Picture marble = PackagedPicture("marble.png");
    Picture4.Move(-60, 7020, 4035, 675);
    Picture4.BackColor = Color(0x00C0E0FF);
    Picture4.SetPicture(marble);
    MenuCaption(Label3, "Сохранить", 2340);
    MenuCaption(Label2, "Новая игра", 480);
    BarRule(Line3, 640, 4020);
    BarRule(Line2, 45, 4020);
    Picture3.Move(3960, 7020, 4095, 675);
    Picture3.BackColor = Color(0x00C0C0FF);
    Picture3.SetPicture(marble);
    MenuCaption(Label5, "Выйти", 2100);
    MenuCaption(Label4, "Загрузить", 240);
    BarRule(Line5, 640, 4080);
    BarRule(Line4, 45, 4080);

    Picture1.Move(0, 360, 8000, 5295);
    Picture1.BackColor = kSky;
    Picture5.Move(480, 3420, 375, 480);
    Picture5.BackColor = kSky;
    Picture5.AutoSize = true;
    Picture5.SetPicture(PackagedPicture("hero.png"));

    struct BlockLayout {
        float left, top, width, height;
        Color color;
    };
    const BlockLayout blocks[11] = {
        {9660, 7380, 855, 795, kGreen},   {1200, 3000, 555, 375, kOrange},
        {4200, 180, 435, 3135, kOrange},  {0, 4680, 2175, 795, kGreen},
        {5940, 4680, 2055, 675, kGreen},  {0, -180, 7995, 375, kOrange},
        {-180, 180, 315, 4515, kOrange},  {2160, 4680, 3795, 735, kGreen},
        {4200, 2940, 855, 375, kOrange},  {5700, 1260, 435, 3435, kOrange},
        {2760, 1260, 435, 3435, kOrange},
    };
    for (int i = 0; i <= 10; ++i) {
        PictureBox& b = Picture2.Add(i == 0 ? nullptr : &Picture1);
        b.Move(blocks[i].left, blocks[i].top, blocks[i].width, blocks[i].height);
        b.BackColor = blocks[i].color;
    }

    Shape4.Move(0, 5220, 8055, 195);
    Shape4.FillColor = Color(0x00FFFF00);
    Shape3.Move(-60, -120, 8055, 195);
    Shape3.FillColor = Color(0x00000000);
    Line1.Set(0, 5640, 7140, 5640);

    Picture6.Move(0, 5640, 8040, 1260);
    Label1.Move(0, 300, 7995, 495);
    Label1.ForeColor = Color(0x00C0FFC0);
    Label1.TextFont = Font{"Comic Sans MS", 15.75f};
    Label1.Alignment = Label::Align::Center;
    const Picture gearA = PackagedPicture("gear_a.png");
    const Picture gearB = PackagedPicture("gear_b.png");
    const float gearLeft[4] = {7800, 7800, -240, -240};
    for (int i = 0; i < 4; ++i) {
        Image& g = Image3.Add(&Picture6);
        g.Move(gearLeft[i], 840, 480, 480);
        g.SetPicture(i % 2 == 0 ? gearA : gearB);
    }
    Image3[3].Visible = false;

    Label7.Caption = "Игра сохранена";
    Label7.Move(3240, 60, 1815, 315);
    Label7.ForeColor = Color(0x000000FF);
    Label7.TextFont = Font{"Comic Sans MS", 9.75f};
    Label7.Alignment = Label::Align::Center;
    Label7.Visible = false;

    SetDrawingOrder({&Frame1,      &Label6,       &Picture4,    &Label3,      &Label2,
                     &Line3,       &Line2,        &Picture3,    &Label5,      &Label4,
                     &Line5,       &Line4,        &Picture1,    &Picture5,    &Picture2[7],
                     &Picture2[4], &Picture2[10], &Picture2[9], &Picture2[8], &Picture2[6],
                     &Picture2[3], &Picture2[2],  &Picture2[1], &Picture2[5], &Shape4,
                     &Shape3,      &Line1,        &Picture2[0], &Picture6,    &Label1,
                     &Image3[2],   &Image3[3],    &Image3[0],   &Image3[1],   &Label7});

    Expose("LevelCount", {[] { return Value{static_cast<double>(LevelData().LevelCount)}; }, {}});
}

void Игра::ConnectHandlers() {
    Timer1.Tick = [this] { Timer1_Timer(); };
    Timer2.Tick = [this] { Timer2_Timer(); };
    Timer3.Tick = [this] { Timer3_Timer(); };
    Timer4.Tick = [this] { Timer4_Timer(); };
    Shagi.Tick = [this] { Shagi_Timer(); };
    Шаги.Tick = [this] { Шаги_Timer(); };
    Сохр.Tick = [this] { Сохр_Timer(); };
    ConnectMenuBar();
}

void Игра::Load() {
    using namespace Модуль1;
    Шаги.SetEnabled(false);
    if (!ReadLevelMap()) {
        Unload(*this);
        return;
    }
    if (StartFromSave == 0) {
        CurrentLevel = 1;
        CurrentScreen = 1;
        PlaceBlocks(1, 1, 3);
    } else {
        if (!ReadSaveFile()) {
            Unload(*this);
            return;
        }
        PlaceBlocks(CurrentLevel, CurrentScreen, 1);
    }
    LoadLevelTexture(CurrentLevel);
    JumpStartSpeed = 60;
    JumpSpeed = JumpStartSpeed;
    Gravity = 1;
    WalkStep = 30;
    SetWidth(8085);
    SetHeight(7305);
    Frame1.Left = 0;
    Frame1.Top = 0;
    Picture3.Left = 8040;
    Picture3.Top = 5820;
    Picture4.Left = -4080;
    Picture4.Top = 5820;
    FacingLeft = false;
    // A missing or damaged hero picture leaves the packaged design picture in place.
    if (Picture p = LoadPicture(DataPath("Per.res"))) Picture5.SetPicture(p);
    MenuOpen = false;
    Picture1.Width = 8000;
    ShowLevelCaption();
}

void Игра::QueryUnload() {
    Show("Form1");
}

std::string Игра::State() const {
    using namespace Модуль1;
    auto b = [](bool v) { return v ? "True" : "False"; };
    std::ostringstream s;
    s << "Игра: Left=" << FormatNumber(Picture5.Left) << " Top=" << FormatNumber(Picture5.Top)
      << " Level=" << CurrentLevel << " Screen=" << CurrentScreen << " JumpSpeed=" << JumpSpeed
      << " FallSpeed=" << FallSpeed << " InAir=" << b(InAir) << " Busy=" << b(Busy)
      << " MenuOpen=" << b(MenuOpen) << " FacingLeft=" << b(FacingLeft) << " timers=";
    const char* sep = "";
    for (const Timer* t : timers()) {
        if (t->Enabled()) {
            s << sep << t->name();
            sep = ",";
        }
    }
    s << " caption=" << FormatValue(Value{Label1.Caption.get()});
    return s.str();
}

void RegisterGameWindows(Runtime& runtime) {
    Модуль1::Expose(runtime);
    runtime.RegisterWindow("Игра", [] { return std::make_unique<Игра>(); });
}

}  // namespace kelto
