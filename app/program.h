#pragma once
// The whole program, as both the game and the replay tool start it.
namespace kelto {
class Runtime;
void RegisterProgramWindows(Runtime& runtime);
// Forgets everything an earlier run in this process left behind: shared variables, the level map.
void ResetProgramState();
// Opens the main menu, the window the program starts with.
void StartProgram(Runtime& runtime);
}  // namespace kelto
