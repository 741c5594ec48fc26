#pragma once
// The live backend: real SDL2 windows, input and audio. The event loop sleeps until the next
// timer falls due or input arrives, and repaints only windows whose controls changed.
#include <memory>
#include <optional>
#include <utility>
#include <vector>

#include "platform/canvas.h"
#include "platform/live/gamepad.h"
#include "platform/runtime.h"

struct SDL_Window;
struct Mix_Chunk;
union SDL_Event;

namespace kelto {

class LiveBackend : public Backend {
public:
    LiveBackend();
    ~LiveBackend() override;

    double NowMs() override;
    DateTime LocalTime() override;
    int ShowMessageBox(const std::string& prompt, int style, const std::string& title) override;
    void PlaySound(const std::string& shownPath, const std::string* wav) override;
    void WindowShown(Window& w) override;
    void WindowUnloaded(Window& w) override;
    void WindowResized(Window& w) override;
    void WindowOpacityChanged(Window& w) override;

    // Runs the program until it ends.
    void Run(Runtime& runtime);

private:
    struct Native {
        Window* window;
        SDL_Window* sdl;
        bool exposed = true;
        int scale = 1;          // the window's pixels are shown scale x scale times as large
        int windowedScale = 1;  // the scale to go back to when leaving the whole screen
        bool fullscreen = false;
        int offsetX = 0, offsetY = 0;  // where the window's pixels start on the whole screen
        Canvas shown{0, 0};            // what is on the screen, to send only what changes
        Canvas next{0, 0};             // the frame being drawn
    };
    Native* NativeFor(const Window& w);
    Native* NativeById(unsigned id);
    Native& Create(Window& w, SDL_Window* owner);
    int ScaleFor(const Window& w, int display) const;
    void Destroy(const Window& w);
    void Present(Native& n);
    void PresentAll();
    // The window pixel under a point of the native window.
    std::pair<int, int> ToWindow(const Native& n, int x, int y) const;
    Control* ControlUnder(const Native& n, int x, int y) const;
    void Handle(Runtime& runtime, const SDL_Event& e);
    // F11 and Alt+Enter: the backend's own keys, never seen by the windows.
    static bool IsFullscreenKey(const SDL_Event& e);
    void ToggleFullscreen(Native& n);
    // The next event, waiting at most timeoutMs (forever when empty); false when none came.
    // A terminate, interrupt or hang-up signal sets terminated_ and wakes the wait.
    bool NextEvent(SDL_Event& e, std::optional<double> timeoutMs);
    bool TakeTermination();
    // Game-controller events (hot-plug, buttons, the left stick) as key changes.
    std::vector<KeyChange> Gamepad(const SDL_Event& e);
    void BenchFirstFrame();

    std::vector<Native> natives_;
    uint64_t start_;
    bool audio_ = false;
    Mix_Chunk* playing_ = nullptr;
    bool controllers_ = false;
    GamepadKeys pad_;
    std::vector<std::pair<int, void*>> opened_;  // controller instance id, SDL_GameController*
    std::optional<int> forcedScale_;
    bool x11Handlers_ = false;
    const char* benchFirstFrame_ = nullptr;
};

// Maps an SDL key to the virtual-key code the windows see; 0 for keys the program ignores.
int VirtualKey(int sdlKeycode);

}  // namespace kelto
