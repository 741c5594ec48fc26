// The menu bar that slides in over the status strip, and its lightning.
#include "game/Игра.h"

namespace kelto {

void Игра::ConnectMenuBar() {}
void Игра::Timer5_Timer() {}
void Игра::Молния_Timer() {}
void Игра::NewGameCommand() {}
void Игра::ExitCommand() {}

}  // namespace kelto
