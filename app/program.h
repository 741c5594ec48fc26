#pragma once
// The whole program, as both the game and the replay tool start it.
namespace kelto {
class Runtime;
void RegisterProgramWindows(Runtime& runtime);
// Opens the main menu, the window the program starts with.
void StartProgram(Runtime& runtime);
}  // namespace kelto
