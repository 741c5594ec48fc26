#pragma once
namespace kelto {
class Runtime;
// Registers the About window Опрог.
void RegisterAboutWindows(Runtime& runtime);
}  // namespace kelto
