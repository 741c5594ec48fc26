// The main menu (a plain placeholder until the menu lands).
#include "game/Модуль1.h"
#include "platform/runtime.h"
#include "shell/windows.h"

namespace kelto {
namespace {

class Form1 : public Window {
public:
    Form1() : Window("Form1") {
        Caption = "Келто-PC v1.00";
        KeyPreview = true;
        SetClientSize(5235, 6150);
    }
    void KeyDown(int key) override {
        if (key == kKeyEscape) End();
    }
};

}  // namespace

void RegisterShellWindows(Runtime& runtime) {
    runtime.RegisterWindow("Form1", [] { return std::make_unique<Form1>(); });
}

}  // namespace kelto
