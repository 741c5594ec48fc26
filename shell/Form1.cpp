#include "shell/Form1.h"

#include "game/Модуль1.h"
#include "platform/files.h"

namespace kelto {
namespace {

constexpr float kButtonLeft = 1920;
constexpr float kButtonWidth = 1320;
constexpr float kButtonHeight = 330;

void SetUpCaption(Label& label, const char* text, float left, float top, float width) {
    label.Caption = text;
    label.Move(left, top, width, 195);
    label.ForeColor = kWindowText;
    label.Transparent = true;
    label.TextFont = Font{};
    label.AutoSizeToText();
}

}  // namespace

Form1::Form1() : Window("Form1") {
    LayOut();
    ConnectHandlers();
}

void Form1::LayOut() {
    Caption = "Келто-PC v1.00";
    Icon = PackagedPicture("icon.png");
    KeyPreview = true;
    SetClientSize(5235, 6150);
    SetPicture(PackagedPicture("sky.png"));

    SetUpCaption(Label4, "Новая игра", 2160, 2040, 870);
    SetUpCaption(Label3, "Загрузить", 2160, 2580, 780);
    SetUpCaption(Label2, "Инфо", 2400, 3120, 420);
    SetUpCaption(Label1, "Выход", 2340, 3660, 480);

    const Picture faces[3] = {PackagedPicture("button_normal.png"),
                              PackagedPicture("button_hover.png"),
                              PackagedPicture("button_pressed.png")};
    struct Button {
        ControlArray<Image>& faces;
        float top;
    };
    for (auto [images, top] :
         {Button{Image1, 1980}, Button{Image2, 2520}, Button{Image3, 3060}, Button{Image4, 3600}}) {
        for (int i = 0; i < 3; ++i) {
            Image& face = images.Add(nullptr);
            face.Move(kButtonLeft, top, kButtonWidth, kButtonHeight);
            face.SetPicture(faces[i]);
            face.Visible = i == 0;
        }
    }

    Image5.Move(0, 0, 5250, 6150);
    Image5.SetPicture(PackagedPicture("sky_dark.png"));

    SetDrawingOrder({&Label4, &Label3, &Label2, &Label1, &Image4[2], &Image4[1], &Image4[0],
                     &Image3[2], &Image3[1], &Image3[0], &Image2[2], &Image2[1], &Image2[0],
                     &Image1[2], &Image1[1], &Image1[0], &Image5});
}

void Form1::ConnectHandlers() {
    ConnectButton(Image1, Label4, [this] { StartNewGame(); });
    ConnectButton(Image2, Label3, [this] { StartSavedGame(); });
    ConnectButton(Image3, Label2, [this] { ShowAbout(); });
    ConnectButton(Image4, Label1, [] { End(); });
    MouseMove = [this](int) { ShowAllNormal(); };
    Image5.MouseMove = [this](int) { ShowAllNormal(); };
    Timer1.Tick = [this] { Image5.Visible = !Image5.Visible; };
}

// The command runs on the release of any mouse button. The runtime sends every event of a press
// to the control where it began, so the release runs the command wherever the pointer is.
void Form1::ConnectButton(ControlArray<Image>& faces, Label& caption,
                          std::function<void()> command) {
    ControlArray<Image>* button = &faces;
    auto connect = [&](Control& c) {
        c.MouseMove = [button](int) { ShowHovered(*button); };
        c.MouseDown = [button](int) { ShowPressed(*button); };
        c.MouseUp = [command](int) { command(); };
    };
    for (Image& face : faces) connect(face);
    connect(caption);
}

void Form1::ShowHovered(ControlArray<Image>& faces) {
    faces[1].Visible = true;
    faces[2].Visible = false;
    faces[0].Visible = false;
}

void Form1::ShowPressed(ControlArray<Image>& faces) {
    faces[2].Visible = true;
    faces[1].Visible = false;
    faces[0].Visible = false;
}

void Form1::ShowAllNormal() {
    for (ControlArray<Image>* faces : {&Image1, &Image2, &Image3, &Image4}) {
        (*faces)[0].Visible = true;
        (*faces)[1].Visible = false;
        (*faces)[2].Visible = false;
    }
}

void Form1::KeyDown(int keyCode) {
    if (keyCode == kKeyEscape) End();
}

void Form1::StartNewGame() {
    StartGame(0);
}

void Form1::StartSavedGame() {
    if (!FileExists(DataPath("Kelto.sav"))) {
        MsgBox("Игра не была сохранена!", kCritical, "Файл не найден");
        return;
    }
    StartGame(1);
}

void Form1::StartGame(int16_t startFromSave) {
    // Every lookup is made before the outcome is decided.
    const bool mn = FileExists(DataPath("Mn.res"));
    const bool op = FileExists(DataPath("Op.res"));
    const bool texture = FileExists(DataPath("Texture1.res"));
    const bool map = FileExists(DataPath("Map.res"));
    if (!(mn && op && texture && map)) {
        MsgBox("Один или несколько файлов нужных программе не найдены!", kCritical,
               "Работа программы не возможна");
        return;
    }
    PlaySound(DataPath("Mn.res"));
    Модуль1::StartFromSave = startFromSave;
    // Unloading only marks this window; it lives until the handler returns.
    Unload(*this);
    Show("Form2");
}

void Form1::ShowAbout() {
    Show("Опрог");
}

}  // namespace kelto
