// Walking, screen changes, jumping, falling and footsteps. Every motion is counted per tick in
// whole twips; positions are read back from the controls on every tick.
#include <string>

#include "game/Игра.h"
#include "game/Модуль1.h"
#include "platform/files.h"

namespace kelto {
namespace {

// A hero whose Top is below this line has fallen out of the field.
constexpr float kFallOutLine = 5640;
constexpr float kLevelStartLeft = 300;
constexpr float kLevelStartTop = 3900;

// One walk step, d = -1 left or +1 right: turn the picture if needed, step, and stop in front of
// every block the step runs into (the last block hit decides).
void Walk(Игра& game, int d) {
    using namespace Модуль1;
    const bool left = d < 0;
    if (left != FacingLeft) {
        // A missing picture keeps the one shown; the facing still follows the direction.
        if (Picture p = LoadPicture(DataPath(left ? "Per2.res" : "Per.res"))) {
            game.hero().SetPicture(p);
        }
        FacingLeft = left;
    }
    PictureBox& hero = game.hero();
    const float y = hero.Top, w = hero.Width, h = hero.Height;
    float x = hero.Left + static_cast<float>(d * WalkStep);
    for (int i = 1; i <= game.Picture2.Count() - 1; ++i) {
        PictureBox& b = game.block(i);
        const float l = b.Left, t = b.Top, r = l + b.Width, bottom = t + b.Height;
        if (x <= r && x + w >= l && y + h > t && bottom > y) x = left ? r + 1 : l - w - 1;
    }
    hero.Left = x;
}

}  // namespace

void Игра::Timer1_Timer() {
    using namespace Модуль1;
    if (Busy) return;
    PictureBox& h = hero();
    JumpSpeed = static_cast<int16_t>(JumpSpeed - Gravity);
    h.Top = h.Top - static_cast<float>(JumpSpeed);
    for (int i = 1; i <= Picture2.Count() - 1; ++i) {
        PictureBox& b = block(i);
        const float x = h.Left, y = h.Top, w = h.Width;
        const float l = b.Left, t = b.Top, r = l + b.Width, bottom = t + b.Height;
        if (y > t && bottom > y && x + w >= l && r >= x) {
            PlaySound(DataPath("Bash.res"));
            h.Top = bottom + 1;
            JumpSpeed = 0;
        }
    }
    if (JumpSpeed <= 0) {
        Timer1.SetEnabled(false);
        Timer2.SetEnabled(true);
    }
}

void Игра::Timer2_Timer() {
    using namespace Модуль1;
    if (Busy) return;
    PictureBox& h = hero();
    InAir = true;
    for (int i = 1; i <= Picture2.Count() - 1; ++i) {
        PictureBox& b = block(i);
        const float x = h.Left, w = h.Width, l = b.Left, r = l + b.Width;
        if (b.Top - h.Height == h.Top && x + w >= l && r >= x) {
            if (FallSpeed > 0) Шаги_Timer();
            JumpSpeed = JumpStartSpeed;
            FallSpeed = 0;
            InAir = false;
            return;
        }
    }
    FallSpeed = static_cast<int16_t>(FallSpeed + Gravity);
    h.Top = h.Top + static_cast<float>(FallSpeed);
    for (int i = 1; i <= Picture2.Count() - 1; ++i) {
        PictureBox& b = block(i);
        const float x = h.Left, y = h.Top, w = h.Width, hh = h.Height;
        const float l = b.Left, t = b.Top, r = l + b.Width, bottom = t + b.Height;
        if (y + hh > t && bottom > y && x + w >= l && r >= x) {
            if (FallSpeed > 0) Шаги_Timer();
            h.Top = t - hh;
            JumpSpeed = JumpStartSpeed;
            FallSpeed = 0;
            InAir = false;
        }
    }
    if (h.Top > kFallOutLine) {
        PlaySound(DataPath("Kr.res"));
        Timer3.SetEnabled(false);
        Timer4.SetEnabled(false);
        if (MsgBox(" Вы упали\r\nЗагрузить?", kYesNoQuestion) == kYes) {
            LoadCommand();
        } else {
            Unload(*this);
        }
    }
}

void Игра::Timer3_Timer() {
    if (Модуль1::Busy) return;
    Walk(*this, -1);
    LeftEdgeRule();
}

void Игра::Timer4_Timer() {
    if (Модуль1::Busy) return;
    Walk(*this, +1);
    RightEdgeRule();
}

void Игра::Shagi_Timer() {
    if (!Модуль1::InAir && (Timer3.Enabled() || Timer4.Enabled())) {
        if (!Шаги.Enabled()) Шаги_Timer();
        Шаги.SetEnabled(true);
    } else {
        Шаги.SetEnabled(false);
    }
}

void Игра::Шаги_Timer() {
    RandomizeFromClock();
    const int n = 1 + static_cast<int>(Rnd() * 4);
    PlaySound(DataPath(std::to_string(n) + ".res"));
}

void Игра::LeftEdgeRule() {
    using namespace Модуль1;
    PictureBox& h = hero();
    const float x = h.Left;
    if (x >= 0) return;
    // There is no screen before screen 0: its left edge is a wall.
    if (CurrentScreen <= 0) {
        h.Left = 0;
        return;
    }
    h.Left = Picture1.Width + x;
    CurrentScreen = static_cast<int16_t>(CurrentScreen - 1);
    ShowLevelCaption();
    PlaceBlocks(CurrentLevel, CurrentScreen, 1);
}

void Игра::RightEdgeRule() {
    using namespace Модуль1;
    PictureBox& h = hero();
    const float fieldWidth = Picture1.Width;
    if (h.Left + h.Width <= fieldWidth) return;
    const float r = fieldWidth - h.Left;
    CurrentScreen = static_cast<int16_t>(CurrentScreen + 1);
    ShowLevelCaption();
    if (CurrentScreen <= 10) {
        PlaceBlocks(CurrentLevel, CurrentScreen, 1);
        h.Left = -r;
        return;
    }
    // The map holds at most 20 levels, so level 20 is the last even when the file's first line
    // declared fewer levels than it holds.
    if (CurrentLevel == LevelData().LevelCount || CurrentLevel >= 20) {
        h.Left = fieldWidth;
        MsgBox("Вы прошли игру!", kInformation, "Поздравляю!");
        End();
    }
    h.Left = fieldWidth;
    MsgBox("Вы прошли уровень!", kInformation, "Поздравляю!");
    Frame1.Visible = true;
    Timer1.SetEnabled(false);
    Timer3.SetEnabled(false);
    Timer4.SetEnabled(false);
    CurrentScreen = 1;
    CurrentLevel = static_cast<int16_t>(CurrentLevel + 1);
    PlaceBlocks(CurrentLevel, 1, 1);
    LoadLevelTexture(CurrentLevel);
    h.Left = kLevelStartLeft;
    h.Top = kLevelStartTop;
    ShowLevelCaption();
    Frame1.Visible = false;
    Timer2.SetEnabled(true);
}

}  // namespace kelto
