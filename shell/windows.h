#pragma once
namespace kelto {
class Runtime;
// Registers the main menu Form1 and the splash window Form2.
void RegisterShellWindows(Runtime& runtime);
}  // namespace kelto
