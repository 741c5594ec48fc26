#pragma once
// The runtime the program's windows live in: one thread, events delivered one at a time,
// timers, modal message boxes, sounds, random numbers, date and time.
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/random.h"
#include "platform/value.h"
#include "platform/window.h"

namespace kelto {

// Message box styles and answers.
enum MsgStyle { kOkOnly = 0, kCritical = 16, kYesNoQuestion = 36, kInformation = 64 };
enum MsgAnswer { kOk = 1, kYes = 6, kNo = 7 };
inline constexpr const char* kProgramTitle = "Келто_PC";

// Virtual-key codes.
enum Key {
    kKeyEscape = 27,
    kKeySpace = 32,
    kKeyLeft = 37,
    kKeyUp = 38,
    kKeyRight = 39,
    kKeyDown = 40,
    kKeyF5 = 116,
    kKeyF8 = 119,
    kKeyEnter = 13
};

struct DateTime {
    int year = 2000, month = 1, day = 1;
    int hour = 12, minute = 0, second = 0;
    double millis = 0;
    int weekday() const;  // 1 = Sunday .. 7 = Saturday
    double secondsSinceMidnight() const {
        return hour * 3600.0 + minute * 60.0 + second + millis / 1000;
    }
};

// What differs between a real desktop and a scripted headless run.
class Backend {
public:
    virtual ~Backend() = default;
    virtual double NowMs() = 0;  // monotonic
    virtual DateTime LocalTime() = 0;
    virtual int ShowMessageBox(const std::string& prompt, int style, const std::string& title) = 0;
    // wav: the file's bytes when it is a playable WAV, else null for the default sound.
    virtual void PlaySound(const std::string& shownPath, const std::string* wav) = 0;
    virtual void WindowShown(Window&) {}
    virtual void WindowUnloaded(Window&) {}
    virtual void WindowResized(Window&) {}
    virtual void WindowOpacityChanged(Window&) {}
    virtual void ProgramEnded() {}
};

// Thrown by End() to stop everything at once; the dispatcher catches it.
struct ProgramEnd {};

using WindowFactory = std::function<std::unique_ptr<Window>()>;

class Runtime {
public:
    explicit Runtime(Backend& backend);
    ~Runtime();
    static Runtime& Get();

    Backend& backend() { return backend_; }
    void RegisterWindow(const std::string& name, WindowFactory factory);

    // Window operations.
    Window& Show(const std::string& name);
    void Unload(Window& w);
    Window* Find(const std::string& name) const;  // the loaded instance, if any
    const std::vector<std::unique_ptr<Window>>& windows() const { return windows_; }
    Window* ActiveWindow() const;
    void SetActiveWindow(Window* w);

    // Event delivery. Each runs a handler to its end, then tidies up (unloaded windows, end of
    // the program when no window is left).
    void Deliver(const std::function<void()>& handler);
    void KeyDown(int code);
    void KeyUp(int code);
    enum class Mouse { Down, Up, Move };
    // target: the control under the pointer, or null for the window surface.
    void MouseEvent(Window& w, Control* target, Mouse kind, int button);

    // Timers.
    std::optional<double> NextDue() const;
    Timer* NextDueTimer() const;
    // Delivers the ticks due at or before `now`, once each, in their fixed order.
    void RunDueTimers();

    bool ended() const { return ended_; }
    bool modal() const { return modalDepth_ > 0; }

    ClassicRandom& random() { return random_; }

    // Variables of code modules, for scripts.
    void ExposeModuleVariable(const std::string& module, const std::string& name,
                              Window::Variable v);
    const Window::Variable* FindModuleVariable(const std::string& module,
                                               const std::string& name) const;
    const std::vector<std::pair<std::string, Window::Variable>>& moduleVariables(
        const std::string& module) const;

    int MessageBox(const std::string& prompt, int style, const std::string& title);
    void EndProgram();

private:
    void Cleanup();
    Backend& backend_;
    std::vector<std::pair<std::string, WindowFactory>> factories_;
    std::vector<std::unique_ptr<Window>> windows_;
    std::vector<std::unique_ptr<Window>> graveyard_;
    Window* active_ = nullptr;
    Control* captured_ = nullptr;
    Window* capturedWindow_ = nullptr;
    bool capturing_ = false;
    bool ended_ = false;
    int modalDepth_ = 0;
    int deliverDepth_ = 0;
    uint64_t nextSequence_ = 1;
    ClassicRandom random_;
    std::vector<std::pair<std::string, std::vector<std::pair<std::string, Window::Variable>>>>
        modules_;
};

// The services as the program's windows call them.
double Now();  // ms on the runtime's monotonic clock
DateTime LocalTime();
Window& Show(const std::string& window);
void Unload(Window& window);
// A modal message box; returns the button pressed (kOk, kYes, kNo).
int MsgBox(const std::string& prompt, int style = kOkOnly, const std::string& title = "");
// Plays a WAV file asynchronously, cutting off the sound before it; the default sound when
// the file is missing or not a WAV.
void PlaySound(const std::string& path);
[[noreturn]] void End();
float Rnd();
void RandomizeFromClock();  // mixes seconds since midnight into the generator
float SecondsSinceMidnight();

// Notifications from windows to the backend.
void WindowResized(Window& w);
void WindowOpacityChanged(Window& w);

}  // namespace kelto
