// The menu bar that slides in over the status strip, and its lightning.
#include <functional>
#include <utility>

#include "game/lightning.h"
#include "game/Игра.h"
#include "game/Модуль1.h"
#include "platform/files.h"

namespace kelto {
namespace {

constexpr Color kCaptionNormal{0x00C0FFFF};
constexpr Color kCaptionPressed{0x0000FFFF};
constexpr Color kBoltColor = Rgb(122, 190, 252);

// Where the two halves rest, and how far they move per tick.
constexpr float kRightOpen = 3960;
constexpr float kRightClosed = 8040;
constexpr float kLeftOpen = -60;
constexpr float kLeftClosed = -4080;
constexpr float kSlideStep = 300;

// A caption of the bar lights up while the mouse is pressed on it and runs its command on a
// click.
void MenuCommand(Label& caption, std::function<void()> command) {
    caption.MouseDown = [&caption](int) { caption.ForeColor = kCaptionPressed; };
    caption.MouseUp = [&caption](int) { caption.ForeColor = kCaptionNormal; };
    caption.Click = std::move(command);
}

// Shows one frame of a gear and hides the other.
void TurnGear(Image& a, Image& b) {
    if (a.Visible) {
        a.Visible = false;
        b.Visible = true;
    } else {
        b.Visible = false;
        a.Visible = true;
    }
}

}  // namespace

void Игра::ConnectMenuBar() {
    Timer5.Tick = [this] { Timer5_Timer(); };
    Молния.Tick = [this] { Молния_Timer(); };
    MenuCommand(Label2, [this] { NewGameCommand(); });
    MenuCommand(Label3, [this] { SaveCommand(); });
    MenuCommand(Label4, [this] { LoadCommand(); });
    MenuCommand(Label5, [this] { ExitCommand(); });
}

void Игра::Timer5_Timer() {
    TurnGear(Image3(0), Image3(1));
    TurnGear(Image3(2), Image3(3));

    if (Модуль1::MenuOpen) {
        if (Picture3.Left != kRightOpen) {
            Picture3.Left -= kSlideStep;
            if (Picture3.Left < kRightOpen) Picture3.Left = kRightOpen;
        }
        if (Picture4.Left != kLeftOpen) {
            Picture4.Left += kSlideStep;
            if (Picture4.Left > kLeftOpen) Picture4.Left = kLeftOpen;
        }
        if (Picture3.Left == kRightOpen && Picture4.Left == kLeftOpen) Timer5.SetEnabled(false);
    } else {
        if (Picture3.Left != kRightClosed) {
            Picture3.Left += kSlideStep;
            if (Picture3.Left > kRightClosed) Picture3.Left = kRightClosed;
        }
        if (Picture4.Left != kLeftClosed) {
            Picture4.Left -= kSlideStep;
            if (Picture4.Left < kLeftClosed) Picture4.Left = kLeftClosed;
        }
        if (Picture3.Left == kRightClosed && Picture4.Left == kLeftClosed) {
            Timer5.SetEnabled(false);
        }
    }

    // The lightning flickers only while the bar slides.
    if (Timer5.Enabled()) {
        Молния.SetEnabled(true);
    } else {
        Молния.SetEnabled(false);
        Picture6.Cls();
    }
}

void Игра::Молния_Timer() {
    Picture6.Cls();
    // The generator takes in the time of day before every draw.
    const auto heights = BoltHeights([] {
        RandomizeFromClock();
        return Rnd();
    });
    for (int x = 1; x <= kBoltLength; ++x) Picture6.PSet(x, heights[x - 1], kBoltColor);
}

void Игра::NewGameCommand() {
    using namespace Модуль1;
    if (MsgBox("Вы уверены?", kYesNoQuestion, "Точно?") != kYes) return;
    Frame1.Visible = true;
    CurrentScreen = 1;
    CurrentLevel = 1;
    Picture5.Left = 300;
    Picture5.Top = 3900;
    // The standard texture, not tested first: a missing file leaves the back colours.
    SetTexturePictures(DataPath("Texture1.res"));
    ShowLevelCaption();
    PlaceBlocks(1, 1, 1);
    Frame1.Visible = false;
}

void Игра::ExitCommand() {
    if (MsgBox("Вы уверены?", kYesNoQuestion, "Точно?") == kYes) End();
}

}  // namespace kelto
