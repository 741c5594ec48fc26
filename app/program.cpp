#include "app/program.h"

#include "about/windows.h"
#include "game/Игра.h"
#include "game/Модуль1.h"
#include "platform/runtime.h"
#include "shell/windows.h"

namespace kelto {

void RegisterProgramWindows(Runtime& runtime) {
    RegisterGameWindows(runtime);
    RegisterShellWindows(runtime);
    RegisterAboutWindows(runtime);
}

void ResetProgramState() {
    Модуль1::Reset();
    Игра::LevelData() = LevelMapData{};
}

void StartProgram(Runtime& runtime) {
    runtime.Deliver([&] { runtime.Show("Form1"); });
}

}  // namespace kelto
