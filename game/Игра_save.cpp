// Save and load of the one save slot.
#include "game/Игра.h"

namespace kelto {

void Игра::SaveCommand() {}
void Игра::LoadCommand() {}
bool Игра::ReadSaveFile() { return false; }
void Игра::Сохр_Timer() {}

}  // namespace kelto
