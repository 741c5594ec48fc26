#pragma once
// The game's shared variables, in their declaration order. They live for the whole run; a
// variable never assigned counts as 0 or False.
#include <cstdint>

namespace kelto {
class Runtime;
}

namespace kelto::Модуль1 {

inline int16_t JumpSpeed = 0;
inline int16_t JumpStartSpeed = 0;
inline int16_t FallSpeed = 0;
inline int16_t Gravity = 0;
inline int16_t WalkStep = 0;
inline int16_t CurrentLevel = 0;
inline int16_t StartFromSave = 0;
inline int16_t CurrentScreen = 0;
inline bool InAir = false;
inline bool MenuOpen = false;
inline bool Busy = false;
inline bool FacingLeft = false;

// Back to the state of a program that has just started (for runs inside one process).
void Reset();

// Makes the variables readable and settable by scripts as Модуль1.NAME.
void Expose(Runtime& runtime);

}  // namespace kelto::Модуль1
