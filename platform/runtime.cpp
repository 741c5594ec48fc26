#include "platform/runtime.h"

#include <SDL.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <stdexcept>
#include <string_view>

#include "platform/files.h"

namespace kelto {
namespace {

Runtime* g_runtime = nullptr;

uint32_t Le32(const std::string& b, size_t at) {
    return uint32_t(uint8_t(b[at])) | uint32_t(uint8_t(b[at + 1])) << 8 |
           uint32_t(uint8_t(b[at + 2])) << 16 | uint32_t(uint8_t(b[at + 3])) << 24;
}

void PutLe32(std::string& out, size_t v) {
    for (int i = 0; i < 4; ++i) out += static_cast<char>((v >> (8 * i)) & 0xff);
}

// A wave file rebuilt from its "fmt " and "data" chunks, each length cut to the bytes the file
// really holds, so that no decoder allocates for a length that is not there (a cut-off file
// still plays as far as it goes). Empty when the bytes are not a RIFF WAVE file with both.
std::string TrimmedWav(const std::string& bytes) {
    if (bytes.size() < 12 || bytes.compare(0, 4, "RIFF") != 0 || bytes.compare(8, 4, "WAVE") != 0)
        return {};
    std::string_view fmt, data;
    bool haveFmt = false, haveData = false;
    for (size_t at = 12; at + 8 <= bytes.size();) {
        const std::string_view id(bytes.data() + at, 4);
        const size_t len = std::min<size_t>(Le32(bytes, at + 4), bytes.size() - at - 8);
        const std::string_view body(bytes.data() + at + 8, len);
        if (id == "fmt " && !haveFmt) {
            fmt = body;
            haveFmt = true;
        } else if (id == "data" && !haveData) {
            data = body;
            haveData = true;
        }
        at += 8 + len + (len & 1);
    }
    if (fmt.size() < 16 || data.empty()) return {};
    std::string out = "RIFF";
    PutLe32(out, 4 + 8 + fmt.size() + (fmt.size() & 1) + 8 + data.size() + (data.size() & 1));
    out += "WAVEfmt ";
    PutLe32(out, fmt.size());
    out += fmt;
    if (fmt.size() & 1) out += '\0';
    out += "data";
    PutLe32(out, data.size());
    out += data;
    if (data.size() & 1) out += '\0';
    return out;
}

// Whether SDL decodes the (already trimmed) wave file to some sound.
bool Decodes(const std::string& wav) {
    SDL_RWops* rw = SDL_RWFromConstMem(wav.data(), static_cast<int>(wav.size()));
    SDL_AudioSpec spec;
    Uint8* buf = nullptr;
    Uint32 len = 0;
    if (!SDL_LoadWAV_RW(rw, 1, &spec, &buf, &len)) return false;
    SDL_FreeWAV(buf);
    return len > 0;
}

}  // namespace

int DateTime::weekday() const {
    using namespace std::chrono;
    const sys_days d = year_month_day{std::chrono::year{year}, std::chrono::month{unsigned(month)},
                                      std::chrono::day{unsigned(day)}};
    return static_cast<int>(weekday_indexed{std::chrono::weekday{d}, 1}.weekday().c_encoding()) + 1;
}

Runtime::Runtime(Backend& backend) : backend_(backend) {
    g_runtime = this;
}

Runtime::~Runtime() {
    windows_.clear();
    graveyard_.clear();
    if (g_runtime == this) g_runtime = nullptr;
}

Runtime& Runtime::Get() {
    if (!g_runtime) throw std::logic_error("no runtime");
    return *g_runtime;
}

void Runtime::RegisterWindow(const std::string& name, WindowFactory factory) {
    for (auto& [n, f] : factories_) {
        if (n == name) {
            f = std::move(factory);
            return;
        }
    }
    factories_.emplace_back(name, std::move(factory));
}

Window* Runtime::Find(const std::string& name) const {
    for (auto& w : windows_) {
        if (w->name() == name && !w->unloaded) return w.get();
    }
    return nullptr;
}

Window& Runtime::Show(const std::string& name) {
    if (Window* w = Find(name)) {
        w->shown = true;
        active_ = w;
        backend_.WindowShown(*w);
        return *w;
    }
    auto it = std::find_if(factories_.begin(), factories_.end(),
                           [&](auto& f) { return f.first == name; });
    if (it == factories_.end()) throw std::runtime_error("unknown window " + name);
    windows_.push_back(it->second());
    Window& w = *windows_.back();
    w.setSequence(nextSequence_++);
    w.Load();
    if (!w.unloaded) {
        w.shown = true;
        active_ = &w;
        backend_.WindowShown(w);
    }
    return w;
}

void Runtime::Unload(Window& w) {
    if (w.unloaded) return;
    w.QueryUnload();
    if (w.unloaded) return;
    w.unloaded = true;
    w.shown = false;
    for (Timer* t : w.timers()) t->SetEnabled(false);
    if (capturedWindow_ == &w) {
        capturing_ = false;
        captured_ = nullptr;
        capturedWindow_ = nullptr;
    }
    auto it =
        std::find_if(windows_.begin(), windows_.end(), [&](auto& p) { return p.get() == &w; });
    if (it != windows_.end()) {
        graveyard_.push_back(std::move(*it));
        windows_.erase(it);
    }
    if (active_ == &w) {
        active_ = nullptr;
        for (auto& other : windows_) {
            if (other->shown) active_ = other.get();
        }
    }
    backend_.WindowUnloaded(w);
}

Window* Runtime::ActiveWindow() const {
    return active_;
}

void Runtime::SetActiveWindow(Window* w) {
    active_ = w;
}

void Runtime::Deliver(const std::function<void()>& handler) {
    if (ended_) return;
    ++deliverDepth_;
    try {
        handler();
    } catch (ProgramEnd&) {
        if (deliverDepth_ > 1) {
            --deliverDepth_;
            throw;
        }
        EndProgram();
    }
    --deliverDepth_;
    if (deliverDepth_ == 0) Cleanup();
}

void Runtime::Cleanup() {
    graveyard_.clear();
    if (!ended_ && windows_.empty()) EndProgram();
}

void Runtime::EndProgram() {
    if (ended_) return;
    ended_ = true;
    backend_.ProgramEnded();
}

void Runtime::KeyDown(int code) {
    if (ended_ || modal()) return;
    if (Window* w = active_) Deliver([w, code] { w->KeyDown(code); });
}

void Runtime::KeyUp(int code) {
    if (ended_ || modal()) return;
    if (Window* w = active_) Deliver([w, code] { w->KeyUp(code); });
}

void Runtime::MouseEvent(Window& w, Control* target, Mouse kind, int button) {
    if (ended_ || modal()) return;
    Window* window = &w;
    Control* receiver = target;
    if (capturing_) {
        window = capturedWindow_;
        receiver = captured_;
    } else if (kind == Mouse::Down) {
        capturing_ = true;
        capturedWindow_ = &w;
        captured_ = target;
    }
    auto pick = [&](MouseHandler Control::*onControl, MouseHandler Window::*onWindow) {
        return receiver ? receiver->*onControl : window->*onWindow;
    };
    MouseHandler handler;
    switch (kind) {
        case Mouse::Down:
            handler = pick(&Control::MouseDown, &Window::MouseDown);
            break;
        case Mouse::Move:
            handler = pick(&Control::MouseMove, &Window::MouseMove);
            break;
        case Mouse::Up:
            handler = pick(&Control::MouseUp, &Window::MouseUp);
            break;
    }
    const bool released = kind == Mouse::Up && capturing_;
    const bool click = released && receiver && receiver == target && receiver->Click;
    if (released) {
        capturing_ = false;
        captured_ = nullptr;
        capturedWindow_ = nullptr;
    }
    // The release and its click are one delivery, so a window the release unloads is still
    // there to be asked about.
    Deliver([&] {
        if (handler) handler(button);
        if (click && !window->unloaded) {
            Handler onClick = receiver->Click;
            onClick();
        }
    });
}

Timer* Runtime::NextDueTimer() const {
    Timer* best = nullptr;
    for (auto& w : windows_) {
        if (w->unloaded) continue;
        for (Timer* t : w->timers()) {
            if (!t->Enabled() || t->Interval() <= 0) continue;
            if (!best || t->tickKey() < best->tickKey()) best = t;
        }
    }
    return best;
}

std::optional<double> Runtime::NextDue() const {
    if (Timer* t = NextDueTimer()) return t->due();
    return std::nullopt;
}

void Runtime::RunDueTimers() {
    while (!ended_ && !modal()) {
        Timer* t = NextDueTimer();
        if (!t || t->due() > Now()) return;
        Deliver([t] { t->Fire(); });
    }
}

void Runtime::ExposeModuleVariable(const std::string& module, const std::string& name,
                                   Window::Variable v) {
    auto it =
        std::find_if(modules_.begin(), modules_.end(), [&](auto& m) { return m.first == module; });
    if (it == modules_.end()) it = modules_.insert(modules_.end(), {module, {}});
    it->second.emplace_back(name, std::move(v));
}

const std::vector<std::pair<std::string, Window::Variable>>& Runtime::moduleVariables(
    const std::string& module) const {
    static const std::vector<std::pair<std::string, Window::Variable>> none;
    for (auto& m : modules_) {
        if (m.first == module) return m.second;
    }
    return none;
}

const Window::Variable* Runtime::FindModuleVariable(const std::string& module,
                                                    const std::string& name) const {
    for (auto& [n, v] : moduleVariables(module)) {
        if (n == name) return &v;
    }
    return nullptr;
}

int Runtime::MessageBox(const std::string& prompt, int style, const std::string& title) {
    ++modalDepth_;
    int answer;
    try {
        answer = backend_.ShowMessageBox(prompt, style, title.empty() ? kProgramTitle : title);
    } catch (...) {
        --modalDepth_;
        throw;
    }
    --modalDepth_;
    return answer;
}

double Now() {
    return g_runtime ? g_runtime->backend().NowMs() : 0.0;
}

DateTime LocalTime() {
    return Runtime::Get().backend().LocalTime();
}

Window& Show(const std::string& window) {
    return Runtime::Get().Show(window);
}

void Unload(Window& window) {
    Runtime::Get().Unload(window);
}

int MsgBox(const std::string& prompt, int style, const std::string& title) {
    return Runtime::Get().MessageBox(prompt, style, title);
}

void PlaySound(const std::string& path) {
    auto bytes = ReadFile(path, 16u << 20);
    const std::string wav = bytes ? TrimmedWav(*bytes) : std::string();
    const bool playable = !wav.empty() && Decodes(wav);
    Runtime::Get().backend().PlaySound(ShownPath(path), playable ? &wav : nullptr);
}

void End() {
    throw ProgramEnd{};
}

float Rnd() {
    return Runtime::Get().random().Next();
}

float SecondsSinceMidnight() {
    return static_cast<float>(LocalTime().secondsSinceMidnight());
}

void RandomizeFromClock() {
    Runtime::Get().random().Reseed(SecondsSinceMidnight());
}

void WindowResized(Window& w) {
    if (g_runtime) g_runtime->backend().WindowResized(w);
}

void WindowOpacityChanged(Window& w) {
    if (g_runtime) g_runtime->backend().WindowOpacityChanged(w);
}

}  // namespace kelto
