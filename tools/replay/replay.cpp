#include "tools/replay/replay.h"

#include <cstdio>
#include <sstream>

#include "app/program.h"
#include "platform/files.h"
#include "platform/headless/headless_backend.h"
#include "platform/message_box.h"
#include "platform/picture.h"
#include "platform/render.h"
#include "tools/replay/script.h"

namespace kelto::replay {
namespace {

class Runner {
public:
    explicit Runner(std::ostream& out) : out_(out), backend_(out), runtime_(backend_) {
        ResetProgramState();
        RegisterProgramWindows(runtime_);
        backend_.onMessageBox = [this](const std::string& prompt, int style,
                                       const std::string& title) {
            for (const std::string& expr : watches_) Print(expr);
            if (!boxShot_.empty()) {
                MessageBoxWindow box(prompt, style, title);
                SavePicture(RenderWindow(box), boxShot_);
                boxShot_.clear();
            }
        };
    }

    void Start() { StartProgram(runtime_); }
    bool ended() const { return runtime_.ended(); }

    void Run(const Command& c) {
        const std::string& v = c.verb;
        const auto& a = c.args;
        if (v == "wait")
            Advance(backend_.NowMs() + std::stod(a[0]));
        else if (v == "ticks")
            Ticks(a[0], std::stoll(a[1]));
        else if (v == "keydown")
            runtime_.KeyDown(std::stoi(a[0]));
        else if (v == "keyup")
            runtime_.KeyUp(std::stoi(a[0]));
        else if (v == "focus")
            runtime_.SetActiveWindow(&Loaded(a[0]));
        else if (v == "show")
            runtime_.Deliver([&] { runtime_.Show(a[0]); });
        else if (v == "answer")
            backend_.QueueAnswer(a[0] == "yes" ? kYes : a[0] == "no" ? kNo : kOk);
        else if (v == "time")
            SetTime(a[0]);
        else if (v == "date")
            SetDate(a[0]);
        else if (v == "set")
            Set(a[0], a[1]);
        else if (v == "print")
            Print(a[0]);
        else if (v == "watch")
            watches_.push_back(a[0]);
        else if (v == "file")
            PrintFile(a[0]);
        else if (v == "state")
            State();
        else if (v == "screenshot")
            Screenshot(a[0], a[1]);
        else if (v == "pixel")
            PrintPixel(a[0], std::stoi(a[1]), std::stoi(a[2]));
        else if (v == "boxshot")
            boxShot_ = a[0];
        else
            Mouse(c);
    }

private:
    void Print(const std::string& expr) { out_ << expr << " = " << FormatValue(Get(expr)) << '\n'; }

    // Prints a file of the program folder byte for byte, or that it is missing.
    void PrintFile(const std::string& relative) {
        auto bytes = ReadFile(ProgramFolder() + "/" + relative);
        out_ << "file " << relative << " = " << (bytes ? FormatValue(Value{*bytes}) : "missing")
             << '\n';
    }

    // Advances the virtual clock to `target`, delivering every tick that falls due on the way.
    void Advance(double target) {
        while (!runtime_.ended()) {
            Timer* t = runtime_.NextDueTimer();
            if (!t || t->due() > target) break;
            backend_.SetNow(std::max(backend_.NowMs(), t->due()));
            runtime_.RunDueTimers();
        }
        if (!runtime_.ended()) backend_.SetNow(target);
    }

    // Advances the clock until the timer has ticked n more times, stopping right after its last.
    void Ticks(const std::string& target, long long n) {
        auto dot = target.find('.');
        if (dot == std::string::npos) throw ScriptError("ticks needs WINDOW.TIMER");
        const std::string window = target.substr(0, dot), timer = target.substr(dot + 1);
        long long seen = 0;
        while (seen < n && !runtime_.ended()) {
            Timer* ours = FindTimer(window, timer);
            if (!ours || !ours->Enabled())
                throw ScriptError("ticks " + target + " can never complete: the timer is off");
            backend_.SetNow(std::max(backend_.NowMs(), runtime_.NextDueTimer()->due()));
            while (!runtime_.ended()) {
                Timer* due = runtime_.NextDueTimer();
                if (!due || due->due() > backend_.NowMs()) break;
                runtime_.Deliver([due] { due->Fire(); });
                if (due == ours && ++seen >= n) break;
            }
        }
    }

    Timer* FindTimer(const std::string& window, const std::string& timer) {
        Window* w = runtime_.Find(window);
        return w ? w->FindTimer(timer) : nullptr;
    }

    Window& Loaded(const std::string& name) {
        Window* w = runtime_.Find(name);
        if (!w) throw ScriptError("window " + name + " is not loaded");
        return *w;
    }

    Control* ControlNamed(Window& w, const std::string& word) {
        if (word == "-") return nullptr;
        std::string name;
        int index;
        if (!SplitIndexed(word, name, index)) throw ScriptError("bad control name " + word);
        Control* c = w.FindControl(name, index);
        if (!c) throw ScriptError("no control " + word + " in " + w.name());
        return c;
    }

    void Mouse(const Command& c) {
        Window& w = Loaded(c.args[0]);
        Control* target = ControlNamed(w, c.args[1]);
        const int button = c.args.size() > 2 ? std::stoi(c.args[2]) : 1;
        using M = Runtime::Mouse;
        if (c.verb == "mousedown")
            runtime_.MouseEvent(w, target, M::Down, button);
        else if (c.verb == "mouseup")
            runtime_.MouseEvent(w, target, M::Up, button);
        else if (c.verb == "mousemove")
            runtime_.MouseEvent(w, target, M::Move, button);
        else {
            runtime_.MouseEvent(w, target, M::Down, button);
            if (!w.unloaded && !runtime_.ended()) runtime_.MouseEvent(w, target, M::Up, button);
        }
    }

    // A property path: Модуль.NAME, WINDOW.PROP, WINDOW.CONTROL.PROP or WINDOW.CONTROL(i).PROP.
    struct Path {
        std::string first, second, third;
    };
    static Path Split(const std::string& expr) {
        Path p;
        auto d1 = expr.find('.');
        if (d1 == std::string::npos) throw ScriptError("bad name " + expr);
        p.first = expr.substr(0, d1);
        auto d2 = expr.find('.', d1 + 1);
        p.second = expr.substr(d1 + 1, d2 == std::string::npos ? std::string::npos : d2 - d1 - 1);
        if (d2 != std::string::npos) p.third = expr.substr(d2 + 1);
        return p;
    }

    Value Get(const std::string& expr) {
        Path p = Split(expr);
        if (p.third.empty()) {
            if (auto* var = runtime_.FindModuleVariable(p.first, p.second)) return var->get();
            if (p.second == "Loaded") return Value{runtime_.Find(p.first) != nullptr};
            if (auto v = Loaded(p.first).get(p.second)) return *v;
        } else if (auto v = ControlNamed(Loaded(p.first), p.second)->get(p.third)) {
            return *v;
        }
        throw ScriptError("unknown name " + expr);
    }

    static Value ParseValue(const std::string& text) {
        if (text == "True") return Value{true};
        if (text == "False") return Value{false};
        if (text.size() >= 2 && text.front() == '"' && text.back() == '"') {
            std::string s;
            for (size_t i = 1; i + 1 < text.size(); ++i) {
                if (text[i] == '\\' && i + 2 < text.size()) {
                    char e = text[++i];
                    s += e == 'r' ? '\r' : e == 'n' ? '\n' : e;
                } else {
                    s += text[i];
                }
            }
            return Value{s};
        }
        try {
            size_t used;
            double d = std::stod(text, &used);
            if (used == text.size()) return Value{d};
        } catch (...) {
        }
        throw ScriptError("bad value " + text);
    }

    void Set(const std::string& expr, const std::string& text) {
        Value v = ParseValue(text);
        Path p = Split(expr);
        bool done = false;
        runtime_.Deliver([&] {
            if (p.third.empty()) {
                if (auto* var = runtime_.FindModuleVariable(p.first, p.second)) {
                    var->set(v);
                    done = true;
                } else {
                    done = Loaded(p.first).set(p.second, v);
                }
            } else {
                done = ControlNamed(Loaded(p.first), p.second)->set(p.third, v);
            }
        });
        if (!done) throw ScriptError("cannot set " + expr);
    }

    void SetTime(const std::string& text) {
        int h, m, s;
        if (std::sscanf(text.c_str(), "%d:%d:%d", &h, &m, &s) != 3 || h < 0 || h > 23 || m < 0 ||
            m > 59 || s < 0 || s > 59)
            throw ScriptError("bad time " + text);
        backend_.SetTimeOfDay(h, m, s);
    }

    void SetDate(const std::string& text) {
        int y, mo, d;
        if (std::sscanf(text.c_str(), "%d-%d-%d", &y, &mo, &d) != 3 || y < 1601 || y > 9999 ||
            mo < 1 || mo > 12 || d < 1 || d > 31)
            throw ScriptError("bad date " + text);
        backend_.SetDate(y, mo, d);
    }

    void State() {
        for (auto& w : runtime_.windows()) {
            std::string s = w->State();
            if (!s.empty()) out_ << s << '\n';
        }
    }

    void Screenshot(const std::string& window, const std::string& file) {
        SavePicture(RenderWindow(Loaded(window)), file);
    }

    static void SavePicture(const Canvas& cv, const std::string& file) {
        if (!SavePng(cv.pixels, cv.width, cv.height, file))
            throw ScriptError("cannot write " + file);
    }

    // Prints the colour of one client pixel of a window as drawn, as RRGGBB.
    void PrintPixel(const std::string& window, int x, int y) {
        Canvas cv = RenderWindow(Loaded(window));
        if (x < 0 || y < 0 || x >= cv.width || y >= cv.height)
            throw ScriptError("pixel " + std::to_string(x) + " " + std::to_string(y) +
                              " is outside " + window);
        char hex[8];
        std::snprintf(hex, sizeof hex, "%06X",
                      cv.pixels[static_cast<size_t>(y) * cv.width + x] & 0xFFFFFFu);
        out_ << "pixel " << window << ' ' << x << ' ' << y << " = " << hex << '\n';
    }

    std::ostream& out_;
    std::vector<std::string> watches_;  // printed whenever a message box opens
    std::string boxShot_;               // where the next message box's picture goes
    HeadlessBackend backend_;
    Runtime runtime_;
};

}  // namespace

int RunReplay(const std::string& scriptText, std::ostream& out, std::ostream& err) {
    std::vector<Command> commands;
    try {
        commands = ParseScript(scriptText);
    } catch (const ParseError& e) {
        err << "line " << e.line << ": " << e.message << '\n';
        return 1;
    }
    Runner runner(out);
    int line = 0;
    try {
        runner.Start();
        for (const Command& c : commands) {
            if (runner.ended()) break;
            line = c.line;
            runner.Run(c);
        }
    } catch (const ScriptError& e) {
        out.flush();
        err << "line " << line << ": " << e.what() << '\n';
        return 1;
    } catch (const std::exception& e) {
        out.flush();
        err << "line " << line << ": " << e.what() << '\n';
        return 1;
    }
    return 0;
}

}  // namespace kelto::replay
