// The keys of the game window. The handlers move nothing themselves: they switch the motion
// timers, flip the menu bar, and start the save and load commands.
#include "game/Игра.h"
#include "game/Модуль1.h"
#include "platform/files.h"

namespace kelto {

void Игра::KeyDown(int key) {
    using namespace Модуль1;
    if (key == kKeySpace) {
        Timer5.SetEnabled(true);
        MenuOpen = !MenuOpen;
        PlaySound(DataPath("Op.res"));
    }
    if (key == kKeyEscape) Unload(*this);
    if (!Busy) {
        if (key == kKeyUp && !InAir) {
            InAir = true;
            Timer2.SetEnabled(false);
            Timer1.SetEnabled(true);
        }
        if (key == kKeyF5) SaveCommand();
        if (key == kKeyF8) LoadCommand();
        if (key == kKeyRight) {
            Timer3.SetEnabled(false);
            Timer4.SetEnabled(true);
        }
        if (key == kKeyLeft) {
            Timer4.SetEnabled(false);
            Timer3.SetEnabled(true);
        }
    }
}

void Игра::KeyUp(int key) {
    if (key == kKeyRight) Timer4.SetEnabled(false);
    if (key == kKeyLeft) Timer3.SetEnabled(false);
}

}  // namespace kelto
