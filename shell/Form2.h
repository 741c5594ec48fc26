#pragma once
// The splash window: "Подождите..." with animated dots over a striped picture. It stands on the
// screen while the game window loads, then unloads itself.
#include <string>

#include "platform/runtime.h"

namespace kelto {

// The caption after one step of the dots; a caption not in the cycle stays as it is.
std::string NextDotsCaption(const std::string& caption);

class Form2 : public Window {
public:
    Form2();

    void Load() override;

    Label Label1{*this, nullptr, "Label1"};

    // Both timers fall due together 500 ms after load. Ticks due at the same instant come in
    // the order the timers are declared, so the first dots step comes before the hand-over and
    // the game window opens over "Подождите".
    Timer Timer1{*this, "Timer1", 500, true};  // the dots
    Timer Timer2{*this, "Timer2", 500, true};  // the hand-over to the game window, once

private:
    void HandOver();
};

}  // namespace kelto
