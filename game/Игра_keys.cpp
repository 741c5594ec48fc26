// The keys of the game window.
#include "game/Игра.h"

namespace kelto {

void Игра::KeyDown(int) {}
void Игра::KeyUp(int) {}

}  // namespace kelto
