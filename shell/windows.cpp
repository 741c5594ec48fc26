#include "shell/windows.h"

#include <memory>

#include "platform/runtime.h"
#include "shell/Form1.h"
#include "shell/Form2.h"

namespace kelto {

void RegisterShellWindows(Runtime& runtime) {
    runtime.RegisterWindow("Form1", [] { return std::make_unique<Form1>(); });
    runtime.RegisterWindow("Form2", [] { return std::make_unique<Form2>(); });
}

}  // namespace kelto
