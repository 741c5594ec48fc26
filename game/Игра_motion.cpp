// Walking, screen changes, jumping, falling and footsteps.
#include "game/Игра.h"

namespace kelto {

void Игра::Timer1_Timer() {}
void Игра::Timer2_Timer() {}
void Игра::Timer3_Timer() {}
void Игра::Timer4_Timer() {}
void Игра::Shagi_Timer() {}
void Игра::Шаги_Timer() {}
void Игра::LeftEdgeRule() {}
void Игра::RightEdgeRule() {}

}  // namespace kelto
