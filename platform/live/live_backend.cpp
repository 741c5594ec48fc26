#include "platform/live/live_backend.h"

#include <SDL.h>
#include <SDL_mixer.h>
#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <fstream>
#include <sstream>

#include "platform/live/scale.h"
#include "platform/live/x11.h"
#include "platform/message_box.h"
#include "platform/picture.h"
#include "platform/render.h"

namespace kelto {
namespace {

SDL_Surface* SurfaceOf(const std::vector<uint32_t>& pixels, int w, int h) {
    return SDL_CreateRGBSurfaceWithFormatFrom(const_cast<uint32_t*>(pixels.data()), w, h, 32, w * 4,
                                              SDL_PIXELFORMAT_ARGB8888);
}

static_assert(static_cast<int>(PadButton::South) == SDL_CONTROLLER_BUTTON_A);
static_assert(static_cast<int>(PadButton::Back) == SDL_CONTROLLER_BUTTON_BACK);
static_assert(static_cast<int>(PadButton::Start) == SDL_CONTROLLER_BUTTON_START);
static_assert(static_cast<int>(PadButton::LeftShoulder) == SDL_CONTROLLER_BUTTON_LEFTSHOULDER);
static_assert(static_cast<int>(PadButton::RightShoulder) == SDL_CONTROLLER_BUTTON_RIGHTSHOULDER);
static_assert(static_cast<int>(PadButton::DpadUp) == SDL_CONTROLLER_BUTTON_DPAD_UP);
static_assert(static_cast<int>(PadButton::DpadLeft) == SDL_CONTROLLER_BUTTON_DPAD_LEFT);
static_assert(static_cast<int>(PadButton::DpadRight) == SDL_CONTROLLER_BUTTON_DPAD_RIGHT);
static_assert(static_cast<int>(PadAxis::LeftX) == SDL_CONTROLLER_AXIS_LEFTX);
static_assert(static_cast<int>(PadAxis::LeftY) == SDL_CONTROLLER_AXIS_LEFTY);

// A window pixel from a screen pixel of a window shown `scale` times as large (rounding down,
// also left of and above the window while the mouse is captured).
int Unscaled(int v, int scale) {
    return v >= 0 ? v / scale : -((-v + scale - 1) / scale);
}

// Milliseconds since this process started, from the kernel's record of its start.
double MsSinceProcessStart() {
    std::ifstream stat("/proc/self/stat");
    std::string line;
    std::getline(stat, line);
    std::istringstream rest(line.substr(line.rfind(')') + 2));
    std::string field;
    for (int i = 3; i <= 22 && rest >> field; ++i) {
    }
    std::ifstream up("/proc/uptime");
    double uptime = 0;
    up >> uptime;
    const double start = std::atof(field.c_str()) / static_cast<double>(sysconf(_SC_CLK_TCK));
    return (uptime - start) * 1000;
}

// Terminate, interrupt and hang-up signals are written to a pipe, so that waiting for events
// wakes up and the program ends between two events, never inside a handler (a save is never cut
// off half-written).
int g_signalPipe[2] = {-1, -1};

void OnTerminationSignal(int signal) {
    const unsigned char byte = static_cast<unsigned char>(signal);
    [[maybe_unused]] ssize_t ignored = write(g_signalPipe[1], &byte, 1);
}

void CatchTerminationSignals() {
    if (pipe2(g_signalPipe, O_CLOEXEC | O_NONBLOCK) != 0) return;
    struct sigaction action {};
    action.sa_handler = OnTerminationSignal;
    sigemptyset(&action.sa_mask);
    for (int signal : {SIGTERM, SIGINT, SIGHUP}) sigaction(signal, &action, nullptr);
}

int MouseButton(uint8_t sdlButton) {
    switch (sdlButton) {
        case SDL_BUTTON_RIGHT:
            return 2;
        case SDL_BUTTON_MIDDLE:
            return 4;
        default:
            return 1;
    }
}

// The smallest rectangle holding every pixel that differs between two frames of one size.
Rect ChangedArea(const Canvas& before, const Canvas& after) {
    Rect r{after.width, after.height, 0, 0};
    for (int y = 0; y < after.height; ++y) {
        const uint32_t* a = &before.pixels[static_cast<size_t>(y) * after.width];
        const uint32_t* b = &after.pixels[static_cast<size_t>(y) * after.width];
        if (std::equal(a, a + after.width, b)) continue;
        int x0 = 0, x1 = after.width;
        while (a[x0] == b[x0]) ++x0;
        while (a[x1 - 1] == b[x1 - 1]) --x1;
        r = {std::min(r.x0, x0), std::min(r.y0, y), std::max(r.x1, x1), y + 1};
    }
    return r;
}

}  // namespace

int VirtualKey(int k) {
    switch (k) {
        case SDLK_ESCAPE:
            return kKeyEscape;
        case SDLK_SPACE:
            return kKeySpace;
        case SDLK_LEFT:
            return kKeyLeft;
        case SDLK_UP:
            return kKeyUp;
        case SDLK_RIGHT:
            return kKeyRight;
        case SDLK_DOWN:
            return kKeyDown;
        case SDLK_RETURN:
        case SDLK_KP_ENTER:
            return kKeyEnter;
        case SDLK_TAB:
            return 9;
        case SDLK_BACKSPACE:
            return 8;
        default:
            break;
    }
    if (k >= SDLK_F1 && k <= SDLK_F12) return 112 + (k - SDLK_F1);
    if (k >= SDLK_a && k <= SDLK_z) return 'A' + (k - SDLK_a);
    if (k >= SDLK_0 && k <= SDLK_9) return '0' + (k - SDLK_0);
    return 0;
}

LiveBackend::LiveBackend() {
    // Closing windows is the program's own business; SDL_QUIT then only means a signal.
    SDL_SetHint(SDL_HINT_QUIT_ON_LAST_WINDOW_CLOSE, "0");
    // Windows are software-rendered pixel buffers: put them on the screen with the windowing
    // system's own image calls rather than through an OpenGL texture, which would load a GL
    // driver (on machines without a GPU a whole software GL) for nothing.
    SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
    // Signals are ours: they end the program the way End does, a message box open or not.
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    // A click on a window that is not active yet counts, as on the classic desktop: SDL would
    // drop a press that comes with the window manager's focus change.
    SDL_SetHint(SDL_HINT_MOUSE_FOCUS_CLICKTHROUGH, "1");
    CatchTerminationSignals();
    if (SDL_Init(SDL_INIT_VIDEO | SDL_INIT_TIMER) != 0) {
        SDL_ShowSimpleMessageBox(SDL_MESSAGEBOX_ERROR, kProgramTitle, SDL_GetError(), nullptr);
        std::exit(1);
    }
    start_ = SDL_GetPerformanceCounter();
    forcedScale_ = ParseScaleOverride(std::getenv("KELTO_SCALE"));
    benchFirstFrame_ = std::getenv("KELTO_BENCH_EXIT_AFTER_FIRST_FRAME");
    // Controllers plugged in now arrive as SDL_CONTROLLERDEVICEADDED events like later ones.
    controllers_ = SDL_InitSubSystem(SDL_INIT_GAMECONTROLLER) == 0;
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) == 0) {
        audio_ = Mix_OpenAudio(22050, AUDIO_S16SYS, 2, 1024) == 0;
        if (audio_) Mix_AllocateChannels(1);
    }
}

LiveBackend::~LiveBackend() {
    if (audio_) {
        Mix_HaltChannel(-1);
        if (playing_) Mix_FreeChunk(playing_);
        Mix_CloseAudio();
    }
    for (auto& n : natives_) SDL_DestroyWindow(n.sdl);
    for (auto& [id, controller] : opened_)
        SDL_GameControllerClose(static_cast<SDL_GameController*>(controller));
    SDL_Quit();
}

double LiveBackend::NowMs() {
    return static_cast<double>(SDL_GetPerformanceCounter() - start_) * 1000.0 /
           static_cast<double>(SDL_GetPerformanceFrequency());
}

DateTime LiveBackend::LocalTime() {
    timespec ts;
    clock_gettime(CLOCK_REALTIME, &ts);
    tm local;
    localtime_r(&ts.tv_sec, &local);
    DateTime t;
    t.year = local.tm_year + 1900;
    t.month = local.tm_mon + 1;
    t.day = local.tm_mday;
    t.hour = local.tm_hour;
    t.minute = local.tm_min;
    t.second = local.tm_sec;
    t.millis = ts.tv_nsec / 1e6;
    return t;
}

LiveBackend::Native* LiveBackend::NativeFor(const Window& w) {
    for (auto& n : natives_) {
        if (n.window == &w) return &n;
    }
    return nullptr;
}

LiveBackend::Native* LiveBackend::NativeById(unsigned id) {
    for (auto& n : natives_) {
        if (SDL_GetWindowID(n.sdl) == id) return &n;
    }
    return nullptr;
}

int LiveBackend::ScaleFor(const Window& w, int display) const {
    if (forcedScale_) return *forcedScale_;
    ScaleInputs in;
    in.clientW = w.ClientWidthPx();
    in.clientH = w.ClientHeightPx();
    in.frameW = 2 * w.FrameLeftPx();
    in.frameH = w.FrameTopPx() + w.FrameLeftPx();
    SDL_Rect usable;
    if (SDL_GetDisplayUsableBounds(display, &usable) == 0) {
        in.usableW = usable.w;
        in.usableH = usable.h;
    }
    float ddpi = 0;
    if (SDL_GetDisplayDPI(display, &ddpi, nullptr, nullptr) == 0) in.dpi = ddpi;
    return ChooseScale(in);
}

LiveBackend::Native& LiveBackend::Create(Window& w, SDL_Window* owner) {
    Uint32 flags = SDL_WINDOW_HIDDEN;
    if (w.BorderStyle == Window::Border::None) flags |= SDL_WINDOW_BORDERLESS;
    if (!w.ShowInTaskbar || owner) flags |= SDL_WINDOW_SKIP_TASKBAR;
    // Windows open centred on the first display, at the scale that suits it.
    const int scale = ScaleFor(w, 0);
    SDL_Window* sdl =
        SDL_CreateWindow(w.Caption.get().c_str(), SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED,
                         w.ClientWidthPx() * scale, w.ClientHeightPx() * scale, flags);
    if (!sdl) {
        SDL_ShowSimpleMessageBox(SDL_MESSAGEBOX_ERROR, kProgramTitle, SDL_GetError(), nullptr);
        std::exit(1);
    }
    if (!x11Handlers_) {
        x11::InstallErrorHandlers(sdl);
        x11Handlers_ = true;
    }
    x11::SetLegacyName(sdl, w.Caption.get());
    if (w.Icon) {
        if (SDL_Surface* icon = SurfaceOf(w.Icon->pixels, w.Icon->width, w.Icon->height)) {
            SDL_SetWindowIcon(sdl, icon);
            SDL_FreeSurface(icon);
        }
    }
    natives_.push_back({&w, sdl, true, scale, scale});
    WindowOpacityChanged(w);
    return natives_.back();
}

void LiveBackend::Destroy(const Window& w) {
    auto it = std::find_if(natives_.begin(), natives_.end(),
                           [&](const Native& n) { return n.window == &w; });
    if (it == natives_.end()) return;
    SDL_DestroyWindow(it->sdl);
    natives_.erase(it);
}

void LiveBackend::WindowShown(Window& w) {
    Native* n = NativeFor(w);
    if (!n) n = &Create(w, nullptr);
    SDL_ShowWindow(n->sdl);
    SDL_RaiseWindow(n->sdl);
    Present(*n);
}

void LiveBackend::WindowUnloaded(Window& w) {
    Destroy(w);
}

void LiveBackend::WindowResized(Window& w) {
    if (Native* n = NativeFor(w); n && !n->fullscreen)
        SDL_SetWindowSize(n->sdl, w.ClientWidthPx() * n->scale, w.ClientHeightPx() * n->scale);
}

void LiveBackend::WindowOpacityChanged(Window& w) {
    // Without a compositor this does nothing, which counts as fully opaque.
    if (Native* n = NativeFor(w)) SDL_SetWindowOpacity(n->sdl, static_cast<float>(w.Alpha()) / 255);
}

void LiveBackend::Present(Native& n) {
    Window& w = *n.window;
    if (SDL_GetWindowFlags(n.sdl) & SDL_WINDOW_HIDDEN) return;
    if (std::string(SDL_GetWindowTitle(n.sdl)) != w.Caption.get()) {
        SDL_SetWindowTitle(n.sdl, w.Caption.get().c_str());
        x11::SetLegacyName(n.sdl, w.Caption.get());
    }
    RenderWindow(w, n.next);
    const Canvas& cv = n.next;
    SDL_Surface* target = SDL_GetWindowSurface(n.sdl);
    if (n.fullscreen && target) {
        // On the whole screen: the largest whole-number scale that fits, centred on black.
        const int s = std::max(1, std::min(target->w / cv.width, target->h / cv.height));
        const int x = (target->w - cv.width * s) / 2, y = (target->h - cv.height * s) / 2;
        if (s != n.scale || x != n.offsetX || y != n.offsetY) n.exposed = true;
        n.scale = s;
        n.offsetX = x;
        n.offsetY = y;
    }
    const bool whole = n.exposed || cv.width != n.shown.width || cv.height != n.shown.height;
    const Rect changed = whole ? Rect{0, 0, cv.width, cv.height} : ChangedArea(n.shown, cv);
    SDL_Surface* src = changed.empty() ? nullptr : SurfaceOf(cv.pixels, cv.width, cv.height);
    if (target && src) {
        SDL_SetSurfaceBlendMode(src, SDL_BLENDMODE_NONE);
        if (whole && n.fullscreen)
            SDL_FillRect(target, nullptr, SDL_MapRGB(target->format, 0, 0, 0));
        SDL_Rect from{changed.x0, changed.y0, changed.x1 - changed.x0, changed.y1 - changed.y0};
        // Nearest-neighbour: every pixel becomes a sharp scale x scale square.
        SDL_Rect to{n.offsetX + from.x * n.scale, n.offsetY + from.y * n.scale, from.w * n.scale,
                    from.h * n.scale};
        if (n.scale == 1)
            SDL_BlitSurface(src, &from, target, &to);
        else
            SDL_BlitScaled(src, &from, target, &to);
        if (whole && n.fullscreen)
            SDL_UpdateWindowSurface(n.sdl);
        else
            SDL_UpdateWindowSurfaceRects(n.sdl, &to, 1);
    }
    std::swap(n.shown, n.next);
    SDL_FreeSurface(src);
    w.clearDirty();
    n.exposed = false;
    if (benchFirstFrame_) BenchFirstFrame();
}

void LiveBackend::BenchFirstFrame() {
    // The start-up benchmark: the time from the start of the process (or from the instant in
    // seconds since the epoch that the variable holds) to the first frame on the screen.
    const double since = std::atof(benchFirstFrame_);
    double ms = MsSinceProcessStart();
    if (since > 1e9) {
        timespec ts;
        clock_gettime(CLOCK_REALTIME, &ts);
        ms = (static_cast<double>(ts.tv_sec) - since + ts.tv_nsec / 1e9) * 1000;
    }
    std::printf("first frame: %.1f ms\n", ms);
    std::fflush(stdout);
    std::_Exit(0);
}

void LiveBackend::PresentAll() {
    for (auto& n : natives_) {
        if (n.window->dirty() || n.exposed) Present(n);
    }
}

std::pair<int, int> LiveBackend::ToWindow(const Native& n, int x, int y) const {
    return {Unscaled(x - n.offsetX, n.scale), Unscaled(y - n.offsetY, n.scale)};
}

Control* LiveBackend::ControlUnder(const Native& n, int x, int y) const {
    const auto [wx, wy] = ToWindow(n, x, y);
    return ControlAt(*n.window, wx, wy);
}

bool LiveBackend::IsFullscreenKey(const SDL_Event& e) {
    if (e.type != SDL_KEYDOWN && e.type != SDL_KEYUP) return false;
    const SDL_Keycode k = e.key.keysym.sym;
    return k == SDLK_F11 ||
           ((k == SDLK_RETURN || k == SDLK_KP_ENTER) && (e.key.keysym.mod & KMOD_ALT));
}

void LiveBackend::ToggleFullscreen(Native& n) {
    n.fullscreen = !n.fullscreen;
    if (n.fullscreen) {
        n.windowedScale = n.scale;
        SDL_SetWindowFullscreen(n.sdl, SDL_WINDOW_FULLSCREEN_DESKTOP);
    } else {
        // SDL brings the window back to the size and place it had before.
        SDL_SetWindowFullscreen(n.sdl, 0);
        n.scale = n.windowedScale;
        n.offsetX = n.offsetY = 0;
    }
    n.exposed = true;
}

bool LiveBackend::TakeTermination() {
    unsigned char byte;
    bool any = false;
    while (g_signalPipe[0] >= 0 && read(g_signalPipe[0], &byte, 1) == 1) any = true;
    return any;
}

bool LiveBackend::NextEvent(SDL_Event& e, std::optional<double> timeoutMs) {
    // SDL's own waiting is not used: on X11 it wakes itself by sending an event to one of the
    // program's windows from a second connection, and when that window is destroyed meanwhile
    // (a message box just answered) the server refuses the event and Xlib ends the process.
    // Waiting on the connection and on the signal pipe ourselves sends nothing.
    SDL_PumpEvents();
    if (SDL_PollEvent(&e)) return true;
    std::optional<int> ms;
    if (timeoutMs) ms = static_cast<int>(std::ceil(std::max(0.0, *timeoutMs)));
    if (ms == 0) return false;
    SDL_Window* any = natives_.empty() ? nullptr : natives_.front().sdl;
    if (!x11::WaitForInput(any, g_signalPipe[0], ms)) {
        // Not on X11: SDL's wait, short enough to notice a signal soon.
        return SDL_WaitEventTimeout(&e, std::min(ms.value_or(100), 100)) != 0;
    }
    SDL_PumpEvents();
    return SDL_PollEvent(&e) != 0;
}

int LiveBackend::ShowMessageBox(const std::string& prompt, int style, const std::string& title) {
    // The box belongs to the window that was active when it opened: it stays above it and is
    // centred over it.
    Native* owner = nullptr;
    if (Window* active = Runtime::Get().ActiveWindow()) owner = NativeFor(*active);
    if (!owner && !natives_.empty()) owner = &natives_.back();
    SDL_Window* ownerSdl = owner ? owner->sdl : nullptr;
    MessageBoxWindow box(prompt, style, title);
    Native& created = Create(box, ownerSdl);
    SDL_Window* boxSdl = created.sdl;
    x11::MarkAsDialog(boxSdl, {box.answers().size() == 1});
    if (ownerSdl) {
        SDL_SetWindowModalFor(boxSdl, ownerSdl);
        int ox, oy, ow, oh, bw, bh;
        SDL_GetWindowPosition(ownerSdl, &ox, &oy);
        SDL_GetWindowSize(ownerSdl, &ow, &oh);
        SDL_GetWindowSize(boxSdl, &bw, &bh);
        SDL_SetWindowPosition(boxSdl, ox + (ow - bw) / 2, oy + (oh - bh) / 2);
    }
    SDL_ShowWindow(boxSdl);
    SDL_RaiseWindow(boxSdl);
    const unsigned boxId = SDL_GetWindowID(boxSdl);
    auto boxNative = [&]() -> Native& { return *NativeById(boxId); };
    int answer = 0;
    bool pressed = false;
    bool terminated = false;
    while (!answer && !terminated) {
        PresentAll();
        SDL_Event e;
        const bool got = NextEvent(e, std::nullopt);
        terminated = TakeTermination();
        if (!got) continue;
        if (e.type == SDL_QUIT) {
            terminated = true;
        } else if (e.type == SDL_WINDOWEVENT) {
            if (Native* n = NativeById(e.window.windowID)) {
                if (e.window.event == SDL_WINDOWEVENT_EXPOSED ||
                    e.window.event == SDL_WINDOWEVENT_SIZE_CHANGED)
                    n->exposed = true;
                // A Yes/No box has no close box; a close request for it, or for any window
                // behind it, is ignored.
                if (e.window.event == SDL_WINDOWEVENT_CLOSE && e.window.windowID == boxId &&
                    box.answers().size() == 1)
                    answer = box.answers().front();
                // The box stays above every window of the program, and on the screen: a window
                // manager that still offers to minimize it gets it back at once.
                if (e.window.event == SDL_WINDOWEVENT_FOCUS_GAINED && e.window.windowID != boxId)
                    SDL_RaiseWindow(boxSdl);
                if (e.window.event == SDL_WINDOWEVENT_MINIMIZED && e.window.windowID == boxId) {
                    SDL_RestoreWindow(boxSdl);
                    SDL_RaiseWindow(boxSdl);
                }
            }
        } else if (IsFullscreenKey(e)) {
            // Toggling is for the windows of the game, not for the box.
        } else if (e.type == SDL_KEYDOWN) {
            // The box is modal for the whole program: a key typed before the window manager
            // has moved the focus to it still answers it.
            answer = box.AnswerForKey(VirtualKey(e.key.keysym.sym));
        } else if (e.type == SDL_MOUSEBUTTONDOWN && e.button.windowID != boxId) {
            SDL_RaiseWindow(boxSdl);
        } else if (e.type == SDL_MOUSEBUTTONDOWN) {
            pressed = box.AnswerFor(ControlUnder(boxNative(), e.button.x, e.button.y)) != 0;
        } else if (e.type == SDL_MOUSEBUTTONUP && e.button.windowID == boxId && pressed) {
            answer = box.AnswerFor(ControlUnder(boxNative(), e.button.x, e.button.y));
            pressed = false;
        } else {
            // On a controller the south button is Enter and Back is Esc; nothing else reaches
            // the windows behind the box.
            Gamepad(e);
            if (e.type == SDL_CONTROLLERBUTTONDOWN) {
                if (e.cbutton.button == SDL_CONTROLLER_BUTTON_A)
                    answer = box.AnswerForKey(kKeyEnter);
                if (e.cbutton.button == SDL_CONTROLLER_BUTTON_BACK)
                    answer = box.AnswerForKey(kKeyEscape);
            }
        }
    }
    Destroy(box);
    // A signal ends the program the way End does: the handler that asked goes no further.
    if (terminated) throw ProgramEnd{};
    return answer;
}

void LiveBackend::PlaySound(const std::string& /*shownPath*/, const std::string* wav) {
    if (!audio_) return;
    std::string_view bytes = wav ? std::string_view(*wav) : PackagedFile("beep.wav");
    Mix_Chunk* chunk =
        Mix_LoadWAV_RW(SDL_RWFromConstMem(bytes.data(), static_cast<int>(bytes.size())), 1);
    if (!chunk) return;
    Mix_HaltChannel(0);
    if (playing_) Mix_FreeChunk(playing_);
    playing_ = chunk;
    Mix_PlayChannel(0, chunk, 0);
}

std::vector<KeyChange> LiveBackend::Gamepad(const SDL_Event& e) {
    switch (e.type) {
        case SDL_CONTROLLERDEVICEADDED: {
            if (SDL_GameController* c = SDL_GameControllerOpen(e.cdevice.which)) {
                const int id = SDL_JoystickInstanceID(SDL_GameControllerGetJoystick(c));
                const bool known = std::any_of(opened_.begin(), opened_.end(),
                                               [&](const auto& o) { return o.first == id; });
                if (known)
                    SDL_GameControllerClose(c);  // opening again only added a reference
                else
                    opened_.emplace_back(id, c);
            }
            return {};
        }
        case SDL_CONTROLLERDEVICEREMOVED: {
            const int id = e.cdevice.which;
            auto it = std::find_if(opened_.begin(), opened_.end(),
                                   [&](const auto& o) { return o.first == id; });
            if (it != opened_.end()) {
                SDL_GameControllerClose(static_cast<SDL_GameController*>(it->second));
                opened_.erase(it);
            }
            return pad_.Removed(id);
        }
        case SDL_CONTROLLERBUTTONDOWN:
        case SDL_CONTROLLERBUTTONUP:
            return pad_.Button(e.cbutton.which, static_cast<PadButton>(e.cbutton.button),
                               e.type == SDL_CONTROLLERBUTTONDOWN);
        case SDL_CONTROLLERAXISMOTION:
            if (e.caxis.axis != SDL_CONTROLLER_AXIS_LEFTX &&
                e.caxis.axis != SDL_CONTROLLER_AXIS_LEFTY)
                return {};
            return pad_.Axis(e.caxis.which, static_cast<PadAxis>(e.caxis.axis), e.caxis.value);
        default:
            return {};
    }
}

void LiveBackend::Handle(Runtime& rt, const SDL_Event& e) {
    using M = Runtime::Mouse;
    switch (e.type) {
        case SDL_QUIT:
            rt.EndProgram();
            return;
        case SDL_WINDOWEVENT: {
            Native* n = NativeById(e.window.windowID);
            if (!n) return;
            Window* w = n->window;
            if (e.window.event == SDL_WINDOWEVENT_EXPOSED ||
                e.window.event == SDL_WINDOWEVENT_SIZE_CHANGED)
                n->exposed = true;
            if (e.window.event == SDL_WINDOWEVENT_FOCUS_GAINED) rt.SetActiveWindow(w);
            if (e.window.event == SDL_WINDOWEVENT_CLOSE) rt.Deliver([&] { rt.Unload(*w); });
            return;
        }
        case SDL_KEYDOWN:
        case SDL_KEYUP: {
            Native* n = NativeById(e.key.windowID);
            if (IsFullscreenKey(e)) {
                if (n && e.type == SDL_KEYDOWN && !e.key.repeat) ToggleFullscreen(*n);
                return;
            }
            const int vk = VirtualKey(e.key.keysym.sym);
            if (n) rt.SetActiveWindow(n->window);
            if (!vk) return;
            if (e.type == SDL_KEYDOWN)
                rt.KeyDown(vk);
            else
                rt.KeyUp(vk);
            return;
        }
        case SDL_MOUSEBUTTONDOWN:
        case SDL_MOUSEBUTTONUP: {
            Native* n = NativeById(e.button.windowID);
            if (!n) return;
            Window& w = *n->window;
            const bool down = e.type == SDL_MOUSEBUTTONDOWN;
            SDL_CaptureMouse(down ? SDL_TRUE : SDL_FALSE);
            rt.MouseEvent(w, ControlUnder(*n, e.button.x, e.button.y), down ? M::Down : M::Up,
                          MouseButton(e.button.button));
            return;
        }
        case SDL_MOUSEMOTION: {
            Native* n = NativeById(e.motion.windowID);
            if (!n) return;
            Window& w = *n->window;
            const int button = e.motion.state & SDL_BUTTON_RMASK   ? 2
                               : e.motion.state & SDL_BUTTON_MMASK ? 4
                               : e.motion.state & SDL_BUTTON_LMASK ? 1
                                                                   : 0;
            rt.MouseEvent(w, ControlUnder(*n, e.motion.x, e.motion.y), M::Move, button);
            return;
        }
        case SDL_CONTROLLERDEVICEADDED:
        case SDL_CONTROLLERDEVICEREMOVED:
        case SDL_CONTROLLERBUTTONDOWN:
        case SDL_CONTROLLERBUTTONUP:
        case SDL_CONTROLLERAXISMOTION:
            DeliverKeys(rt, Gamepad(e));
            return;
        default:
            return;
    }
}

void LiveBackend::Run(Runtime& rt) {
    while (!rt.ended()) {
        rt.RunDueTimers();
        if (rt.ended()) break;
        PresentAll();
        // With controllers on, wake at least once a second so that one plugged in while
        // nothing else happens is noticed.
        std::optional<double> wait;
        if (auto due = rt.NextDue()) wait = std::max(0.0, *due - NowMs());
        if (controllers_) wait = std::min(wait.value_or(1000.0), 1000.0);
        SDL_Event e;
        bool got = NextEvent(e, wait);
        while (got && !rt.ended()) {
            Handle(rt, e);
            got = SDL_PollEvent(&e);
        }
        if (TakeTermination()) rt.EndProgram();
    }
}

}  // namespace kelto
