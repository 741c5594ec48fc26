#include "game/Модуль1.h"

#include "platform/runtime.h"

namespace kelto::Модуль1 {
namespace {

Window::Variable Number(int16_t& v) {
    return {[&v] { return Value{static_cast<double>(v)}; },
            [&v](const Value& x) { v = static_cast<int16_t>(AsNumber(x)); }};
}

Window::Variable Flag(bool& v) {
    return {[&v] { return Value{v}; }, [&v](const Value& x) { v = AsBool(x); }};
}

}  // namespace

void Reset() {
    JumpSpeed = JumpStartSpeed = FallSpeed = Gravity = WalkStep = 0;
    CurrentLevel = StartFromSave = CurrentScreen = 0;
    InAir = MenuOpen = Busy = FacingLeft = false;
}

void Expose(Runtime& rt) {
    const char* m = "Модуль1";
    rt.ExposeModuleVariable(m, "JumpSpeed", Number(JumpSpeed));
    rt.ExposeModuleVariable(m, "JumpStartSpeed", Number(JumpStartSpeed));
    rt.ExposeModuleVariable(m, "FallSpeed", Number(FallSpeed));
    rt.ExposeModuleVariable(m, "Gravity", Number(Gravity));
    rt.ExposeModuleVariable(m, "WalkStep", Number(WalkStep));
    rt.ExposeModuleVariable(m, "CurrentLevel", Number(CurrentLevel));
    rt.ExposeModuleVariable(m, "StartFromSave", Number(StartFromSave));
    rt.ExposeModuleVariable(m, "CurrentScreen", Number(CurrentScreen));
    rt.ExposeModuleVariable(m, "InAir", Flag(InAir));
    rt.ExposeModuleVariable(m, "MenuOpen", Flag(MenuOpen));
    rt.ExposeModuleVariable(m, "Busy", Flag(Busy));
    rt.ExposeModuleVariable(m, "FacingLeft", Flag(FacingLeft));
}

}  // namespace kelto::Модуль1
