#include "platform/live/live_backend.h"

#include <SDL.h>
#include <SDL_mixer.h>

#include <algorithm>
#include <cmath>
#include <ctime>

#include "platform/message_box.h"
#include "platform/picture.h"
#include "platform/render.h"

namespace kelto {
namespace {

SDL_Surface* SurfaceOf(const std::vector<uint32_t>& pixels, int w, int h) {
    return SDL_CreateRGBSurfaceWithFormatFrom(const_cast<uint32_t*>(pixels.data()), w, h, 32, w * 4,
                                              SDL_PIXELFORMAT_ARGB8888);
}

int MouseButton(uint8_t sdlButton) {
    switch (sdlButton) {
        case SDL_BUTTON_RIGHT: return 2;
        case SDL_BUTTON_MIDDLE: return 4;
        default: return 1;
    }
}

}  // namespace

int VirtualKey(int k) {
    switch (k) {
        case SDLK_ESCAPE: return kKeyEscape;
        case SDLK_SPACE: return kKeySpace;
        case SDLK_LEFT: return kKeyLeft;
        case SDLK_UP: return kKeyUp;
        case SDLK_RIGHT: return kKeyRight;
        case SDLK_DOWN: return kKeyDown;
        case SDLK_RETURN:
        case SDLK_KP_ENTER: return 13;
        case SDLK_TAB: return 9;
        case SDLK_BACKSPACE: return 8;
        default: break;
    }
    if (k >= SDLK_F1 && k <= SDLK_F12) return 112 + (k - SDLK_F1);
    if (k >= SDLK_a && k <= SDLK_z) return 'A' + (k - SDLK_a);
    if (k >= SDLK_0 && k <= SDLK_9) return '0' + (k - SDLK_0);
    return 0;
}

LiveBackend::LiveBackend() {
    // Closing windows is the program's own business; SDL_QUIT then only means a signal.
    SDL_SetHint(SDL_HINT_QUIT_ON_LAST_WINDOW_CLOSE, "0");
    if (SDL_Init(SDL_INIT_VIDEO | SDL_INIT_TIMER) != 0) {
        SDL_ShowSimpleMessageBox(SDL_MESSAGEBOX_ERROR, kProgramTitle, SDL_GetError(), nullptr);
        std::exit(1);
    }
    start_ = SDL_GetPerformanceCounter();
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

LiveBackend::Native& LiveBackend::Create(Window& w, bool modal) {
    Uint32 flags = SDL_WINDOW_HIDDEN;
    if (w.BorderStyle == Window::Border::None) flags |= SDL_WINDOW_BORDERLESS;
    if (!w.ShowInTaskbar || modal) flags |= SDL_WINDOW_SKIP_TASKBAR;
    SDL_Window* sdl = SDL_CreateWindow(w.Caption.get().c_str(), SDL_WINDOWPOS_CENTERED,
                                       SDL_WINDOWPOS_CENTERED, w.ClientWidthPx(),
                                       w.ClientHeightPx(), flags);
    if (!sdl) {
        SDL_ShowSimpleMessageBox(SDL_MESSAGEBOX_ERROR, kProgramTitle, SDL_GetError(), nullptr);
        std::exit(1);
    }
    if (w.Icon) {
        if (SDL_Surface* icon = SurfaceOf(w.Icon->pixels, w.Icon->width, w.Icon->height)) {
            SDL_SetWindowIcon(sdl, icon);
            SDL_FreeSurface(icon);
        }
    }
    natives_.push_back({&w, sdl});
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
    if (!n) n = &Create(w, false);
    SDL_SetWindowTitle(n->sdl, w.Caption.get().c_str());
    SDL_ShowWindow(n->sdl);
    SDL_RaiseWindow(n->sdl);
    Present(*n);
}

void LiveBackend::WindowUnloaded(Window& w) { Destroy(w); }

void LiveBackend::WindowResized(Window& w) {
    if (Native* n = NativeFor(w)) SDL_SetWindowSize(n->sdl, w.ClientWidthPx(), w.ClientHeightPx());
}

void LiveBackend::WindowOpacityChanged(Window& w) {
    // Without a compositor this does nothing, which counts as fully opaque.
    if (Native* n = NativeFor(w)) SDL_SetWindowOpacity(n->sdl, static_cast<float>(w.Alpha()) / 255);
}

void LiveBackend::Present(Native& n) {
    Window& w = *n.window;
    if (SDL_GetWindowFlags(n.sdl) & SDL_WINDOW_HIDDEN) return;
    if (std::string(SDL_GetWindowTitle(n.sdl)) != w.Caption.get())
        SDL_SetWindowTitle(n.sdl, w.Caption.get().c_str());
    Canvas cv = RenderWindow(w);
    SDL_Surface* target = SDL_GetWindowSurface(n.sdl);
    SDL_Surface* src = SurfaceOf(cv.pixels, cv.width, cv.height);
    if (target && src) {
        SDL_BlitSurface(src, nullptr, target, nullptr);
        SDL_UpdateWindowSurface(n.sdl);
    }
    SDL_FreeSurface(src);
    w.clearDirty();
    n.exposed = false;
}

void LiveBackend::PresentAll() {
    for (auto& n : natives_) {
        if (n.window->dirty() || n.exposed) Present(n);
    }
}

int LiveBackend::ShowMessageBox(const std::string& prompt, int style, const std::string& title) {
    MessageBoxWindow box(prompt, style, title);
    Native& created = Create(box, true);
    SDL_ShowWindow(created.sdl);
    SDL_RaiseWindow(created.sdl);
    const unsigned boxId = SDL_GetWindowID(created.sdl);
    int answer = 0;
    bool pressed = false;
    while (!answer) {
        PresentAll();
        SDL_Event e;
        if (!SDL_WaitEvent(&e)) break;
        if (e.type == SDL_WINDOWEVENT) {
            if (Native* n = NativeById(e.window.windowID)) {
                if (e.window.event == SDL_WINDOWEVENT_EXPOSED) n->exposed = true;
                if (e.window.event == SDL_WINDOWEVENT_CLOSE && e.window.windowID == boxId &&
                    box.answers().size() == 1)
                    answer = box.answers().front();
            }
        } else if (e.type == SDL_KEYDOWN && e.key.windowID == boxId) {
            answer = box.AnswerForKey(VirtualKey(e.key.keysym.sym));
        } else if (e.type == SDL_MOUSEBUTTONDOWN && e.button.windowID == boxId) {
            pressed = box.AnswerFor(ControlAt(box, e.button.x, e.button.y)) != 0;
        } else if (e.type == SDL_MOUSEBUTTONUP && e.button.windowID == boxId && pressed) {
            answer = box.AnswerFor(ControlAt(box, e.button.x, e.button.y));
            pressed = false;
        }
    }
    Destroy(box);
    return answer ? answer : box.answers().front();
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

void LiveBackend::Handle(Runtime& rt, const SDL_Event& e) {
    using M = Runtime::Mouse;
    switch (e.type) {
        case SDL_QUIT: rt.EndProgram(); return;
        case SDL_WINDOWEVENT: {
            Native* n = NativeById(e.window.windowID);
            if (!n) return;
            Window* w = n->window;
            if (e.window.event == SDL_WINDOWEVENT_EXPOSED) n->exposed = true;
            if (e.window.event == SDL_WINDOWEVENT_FOCUS_GAINED) rt.SetActiveWindow(w);
            if (e.window.event == SDL_WINDOWEVENT_CLOSE) rt.Deliver([&] { rt.Unload(*w); });
            return;
        }
        case SDL_KEYDOWN:
        case SDL_KEYUP: {
            const int vk = VirtualKey(e.key.keysym.sym);
            if (Native* n = NativeById(e.key.windowID)) rt.SetActiveWindow(n->window);
            if (!vk) return;
            if (e.type == SDL_KEYDOWN) rt.KeyDown(vk);
            else rt.KeyUp(vk);
            return;
        }
        case SDL_MOUSEBUTTONDOWN:
        case SDL_MOUSEBUTTONUP: {
            Native* n = NativeById(e.button.windowID);
            if (!n) return;
            Window& w = *n->window;
            const bool down = e.type == SDL_MOUSEBUTTONDOWN;
            SDL_CaptureMouse(down ? SDL_TRUE : SDL_FALSE);
            rt.MouseEvent(w, ControlAt(w, e.button.x, e.button.y), down ? M::Down : M::Up,
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
            rt.MouseEvent(w, ControlAt(w, e.motion.x, e.motion.y), M::Move, button);
            return;
        }
        default: return;
    }
}

void LiveBackend::Run(Runtime& rt) {
    while (!rt.ended()) {
        rt.RunDueTimers();
        if (rt.ended()) break;
        PresentAll();
        SDL_Event e;
        int got;
        if (auto due = rt.NextDue()) {
            const double wait = std::max(0.0, *due - NowMs());
            got = SDL_WaitEventTimeout(&e, static_cast<int>(std::ceil(wait)));
        } else {
            got = SDL_WaitEvent(&e);
        }
        while (got && !rt.ended()) {
            Handle(rt, e);
            got = SDL_PollEvent(&e);
        }
    }
}

}  // namespace kelto
