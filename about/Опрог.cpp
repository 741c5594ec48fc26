// The About window (a plain placeholder until it lands).
#include "about/windows.h"
#include "platform/runtime.h"

namespace kelto {
namespace {

class Опрог : public Window {
public:
    Опрог() : Window("Опрог") { Caption = "О программе"; SetClientSize(4935, 6255); }
};

}  // namespace

void RegisterAboutWindows(Runtime& runtime) {
    runtime.RegisterWindow("Опрог", [] { return std::make_unique<Опрог>(); });
}

}  // namespace kelto
