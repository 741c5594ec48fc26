// kelto-longplay: hours of headless play by a seeded random player, checking the program's rules
// after every event.
//
//   kelto-longplay [--hours H] [--seed S] [--data DIR]
//
// The player presses the game keys, clicks the menu-bar items and the main menu buttons, opens
// the About window and answers every question at random. Before some saved starts it writes a
// save file for a random level and screen, so play reaches every level. When the program ends it
// starts a fresh run. After every event (each key, click and timer tick):
//   - at most one of Timer3 and Timer4 is on, and never both Timer1 and Timer2;
//   - Busy is False;
//   - the save file, when there is one, is one the load command reads;
//   - every sound is a wave file of its own, and no message says that a file is damaged;
//   - at most one of each window is loaded.
// At the end the resident memory must be within a small margin of what it was after the first
// hour. Exit code 0 when every check held, 1 when one failed (with what and when), 2 on misuse.
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <map>
#include <memory>
#include <random>
#include <set>
#include <sstream>
#include <string>
#include <tuple>

#include "app/program.h"
#include "game/save_file.h"
#include "game/Модуль1.h"
#include "platform/files.h"
#include "platform/headless/headless_backend.h"

namespace kelto::longplay {
namespace {

namespace fs = std::filesystem;

constexpr double kHourMs = 3600.0 * 1000;

struct Failure {
    std::string what;
};

long ResidentKb() {
    long pages = 0, resident = 0;
    if (FILE* f = std::fopen("/proc/self/statm", "r")) {
        if (std::fscanf(f, "%ld %ld", &pages, &resident) != 2) resident = 0;
        std::fclose(f);
    }
    return resident * (::sysconf(_SC_PAGESIZE) / 1024);
}

long PeakResidentKb() {
    std::ifstream in("/proc/self/status");
    for (std::string line; std::getline(in, line);) {
        if (line.rfind("VmHWM:", 0) == 0) return std::atol(line.c_str() + 6);
    }
    return 0;
}

// What the player does next and how it answers questions.
class Player {
public:
    explicit Player(unsigned seed) : gen_(seed) {}
    double Uniform() { return std::uniform_real_distribution<double>(0, 1)(gen_); }
    int Between(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(gen_); }
    bool Chance(double p) { return Uniform() < p; }

    // The last command that may ask "Вы уверены?": ending the program is rarely confirmed.
    enum class Asking { Nothing, NewGame, Exit } asking = Asking::Nothing;

private:
    std::mt19937 gen_;
};

// The headless backend with a player at the message boxes and a count of what happened.
class PlayBackend : public HeadlessBackend {
public:
    PlayBackend(std::ostream& sink, Player& player) : HeadlessBackend(sink), player_(player) {}

    int ShowMessageBox(const std::string& prompt, int style, const std::string& title) override {
        ++messages[prompt];
        // With good data files the only complaint possible is a load before any save.
        if ((style & 0x70) == kCritical && prompt != "Игра не была сохранена!")
            throw Failure{"message \"" + prompt + "\" (" + title + ")"};
        if (style % 16 != 4) return kOk;
        double yes = 0.5;
        if (prompt.find("Вы упали") != std::string::npos) yes = 0.7;
        if (player_.asking == Player::Asking::Exit) yes = 0.05;
        if (player_.asking == Player::Asking::NewGame) yes = 0.5;
        return player_.Chance(yes) ? kYes : kNo;
    }

    void PlaySound(const std::string& shownPath, const std::string* wav) override {
        ++sounds;
        if (!wav) throw Failure{"sound " + shownPath + " is not a wave file"};
    }

    std::map<std::string, long> messages;
    long sounds = 0;

private:
    Player& player_;
};

class LongPlay {
public:
    LongPlay(double hours, unsigned seed, fs::path data)
        : hours_(hours), seed_(seed), player_(seed), data_(std::move(data)) {}

    int Run() {
        MakeFolder();
        try {
            while (playedMs_ < hours_ * kHourMs) PlayOneRun();
        } catch (const Failure& f) {
            std::cerr << "kelto-longplay: FAILED at " << Clock() << ", event " << events_
                      << " (last action: " << lastAction_ << "): " << f.what << '\n';
            Report(std::cerr);
            return 1;
        }
        const long endKb = endKb_ ? endKb_ : ResidentKb();
        Report(std::cout);
        std::cout << "resident memory: " << firstHourKb_ / 1024 << " MB after the first hour (peak "
                  << firstHourPeakKb_ / 1024 << " MB), " << endKb / 1024 << " MB at the end (peak "
                  << PeakResidentKb() / 1024 << " MB)\n";
        // Flat: no more than 10% and 16 MB above the first hour's level.
        if (firstHourKb_ > 0 && endKb > firstHourKb_ + firstHourKb_ / 10 + 16 * 1024) {
            std::cerr << "kelto-longplay: FAILED: memory grew from " << firstHourKb_ / 1024
                      << " MB to " << endKb / 1024 << " MB\n";
            return 1;
        }
        std::error_code ec;
        fs::remove_all(folder_, ec);
        return 0;
    }

private:
    // A program folder of its own: the shipped data files, and room for the save file.
    void MakeFolder() {
        folder_ = fs::temp_directory_path() / ("kelto-longplay-" + std::to_string(::getpid()));
        fs::remove_all(folder_);
        fs::create_directories(folder_ / "Data");
        for (const auto& e : fs::directory_iterator(data_)) {
            if (e.path().filename() == "Kelto.sav") continue;
            fs::create_symlink(fs::absolute(e.path()), folder_ / "Data" / e.path().filename());
        }
        SetProgramFolder(folder_.string());
    }

    std::string Clock() const {
        std::ostringstream s;
        s.precision(3);
        s << std::fixed << playedMs_ / kHourMs << " h";
        return s.str();
    }

    void Report(std::ostream& out) {
        out.precision(2);
        out << std::fixed << "kelto-longplay: seed " << seed_ << ", " << playedMs_ / kHourMs
            << " hours played in " << runs_ << " runs, " << events_ << " events (" << inputs_
            << " inputs, " << ticks_ << " timer ticks), " << saves_ << " save files checked\n";
        out << "levels played:";
        for (int l : levels_) out << ' ' << l;
        out << "; screens seen: " << screens_.size() << '\n';
        if (backend_) {
            out << "sounds: " << backend_->sounds << "; message boxes:";
            for (auto& [prompt, n] : backend_->messages) {
                std::string p = prompt;
                for (char& c : p)
                    if (c == '\r' || c == '\n') c = ' ';
                out << " \"" << p << "\" x" << n << ';';
            }
            out << '\n';
        }
    }

    // One run of the program, from the main menu until it ends or the time is up.
    void PlayOneRun() {
        ++runs_;
        runtime_.reset();
        auto messages = backend_ ? backend_->messages : std::map<std::string, long>{};
        const long sounds = backend_ ? backend_->sounds : 0;
        backend_ = std::make_unique<PlayBackend>(sink_, player_);
        backend_->messages = messages;
        backend_->sounds = sounds;
        runtime_ = std::make_unique<Runtime>(*backend_);
        ResetProgramState();
        RegisterProgramWindows(*runtime_);
        runStartMs_ = playedMs_;
        StartProgram(*runtime_);
        Check();
        while (!runtime_->ended() && playedMs_ < hours_ * kHourMs) {
            Act();
            if (!runtime_->ended()) Advance(Pause());
        }
        // The memory at the end is measured with the program still running.
        if (playedMs_ >= hours_ * kHourMs) endKb_ = ResidentKb();
        runtime_.reset();
    }

    // A pause between two actions: mostly short, sometimes long.
    double Pause() {
        if (player_.Chance(0.05)) return player_.Between(2000, 30000);
        return player_.Between(10, 600);
    }

    // Advances the virtual clock, delivering every tick on the way, each one checked.
    void Advance(double ms) {
        const double target = backend_->NowMs() + ms;
        while (!runtime_->ended()) {
            Timer* t = runtime_->NextDueTimer();
            if (!t || t->due() > target) break;
            backend_->SetNow(std::max(backend_->NowMs(), t->due()));
            Sync();
            runtime_->Deliver([t] { t->Fire(); });
            ++ticks_;
            Check();
        }
        if (!runtime_->ended()) backend_->SetNow(target);
        Sync();
    }

    void Sync() {
        playedMs_ = runStartMs_ + backend_->NowMs();
        if (firstHourKb_ == 0 && playedMs_ >= kHourMs) {
            firstHourKb_ = ResidentKb();
            firstHourPeakKb_ = PeakResidentKb();
        }
    }

    // Windows are looked up by name before every event: an unloaded window is gone once the
    // event that unloaded it has ended.
    Window* Loaded(const char* name) { return runtime_->ended() ? nullptr : runtime_->Find(name); }

    void Key(const char* window, int code, bool down) {
        Window* w = Loaded(window);
        if (!w) return;
        runtime_->SetActiveWindow(w);
        lastAction_ =
            std::string(down ? "keydown " : "keyup ") + std::to_string(code) + " in " + window;
        if (down)
            runtime_->KeyDown(code);
        else
            runtime_->KeyUp(code);
        ++inputs_;
        Check();
    }

    void Mouse(const char* window, const char* control, int index, Runtime::Mouse kind) {
        Window* w = Loaded(window);
        if (!w) return;
        Control* c = control ? w->FindControl(control, index) : nullptr;
        if (control && !c) throw Failure{std::string("no control ") + control + " in " + window};
        lastAction_ = std::string("mouse on ") + window + " " + (control ? control : "-");
        runtime_->MouseEvent(*w, c, kind, kind == Runtime::Mouse::Move ? 0 : 1);
        ++inputs_;
        Check();
    }

    void Click(const char* window, const char* control, int index = -1) {
        Mouse(window, control, index, Runtime::Mouse::Move);
        Mouse(window, control, index, Runtime::Mouse::Down);
        Mouse(window, control, index, Runtime::Mouse::Up);
        player_.asking = Player::Asking::Nothing;
    }

    void Act() {
        if (Loaded("Опрог") && player_.Chance(0.3)) return Key("Опрог", kKeyEscape, true);
        if (Loaded("Игра")) return PlayGame();
        if (Loaded("Form1")) return UseMenu();
        // The splash window or the About window alone: wait.
    }

    void UseMenu() {
        const double r = player_.Uniform();
        if (r < 0.40) return Click("Form1", "Image1", 0);  // Новая игра
        if (r < 0.85) {                                    // Загрузить
            if (player_.Chance(0.6)) WriteSave();
            return Click("Form1", "Image2", 0);
        }
        if (r < 0.93) return Click("Form1", "Image3", 0);  // Инфо
        if (r < 0.96) return Mouse("Form1", nullptr, -1, Runtime::Mouse::Move);
        if (r < 0.98) return Click("Form1", "Label4");  // Новая игра, by its caption
        // Ending the program from the menu: now and then.
        if (player_.Chance(0.5)) return Key("Form1", kKeyEscape, true);
        return Click("Form1", "Image4", 0);  // Выход
    }

    // A save file for a random level and screen, with the hero somewhere above the floor.
    void WriteSave() {
        SaveState s{static_cast<int16_t>(player_.Between(1, 10)),
                    static_cast<int16_t>(player_.Between(1, 10)),
                    static_cast<float>(player_.Between(0, 7600)),
                    static_cast<float>(player_.Between(0, 3400))};
        if (!WriteFileReplacing(DataPath("Kelto.sav"), FormatSave(s)))
            throw Failure{"cannot write the save file"};
    }

    void PlayGame() {
        const double r = player_.Uniform();
        Window* game = Loaded("Игра");
        const bool barOpen = Модуль1::MenuOpen && !game->FindTimer("Timer5")->Enabled();
        if (barOpen && r < 0.3) {
            // An item of the open menu bar.
            const double q = player_.Uniform();
            if (q < 0.25) {
                player_.asking = Player::Asking::NewGame;
                return Click("Игра", "Label2");
            }
            if (q < 0.55) return Click("Игра", "Label3");
            if (q < 0.85) return Click("Игра", "Label4");
            player_.asking = Player::Asking::Exit;
            return Click("Игра", "Label5");
        }
        if (r < 0.55) return Walk(player_.Chance(0.7) ? kKeyRight : kKeyLeft);
        if (r < 0.70) {
            Key("Игра", kKeyUp, true);
            return Key("Игра", kKeyUp, false);
        }
        if (r < 0.80) return Key("Игра", kKeySpace, true);
        if (r < 0.88) return Key("Игра", kKeyF5, true);
        if (r < 0.96) return Key("Игра", kKeyF8, true);
        if (r < 0.99) return Key("Игра", player_.Chance(0.5) ? kKeyLeft : kKeyRight, false);
        return Key("Игра", kKeyEscape, true);
    }

    // Holds an arrow key for a while, with the keyboard's repeats and now and then a jump.
    void Walk(int arrow) {
        const int steps = player_.Between(1, 12);
        for (int i = 0; i < steps && Loaded("Игра"); ++i) {
            Key("Игра", arrow, true);
            if (player_.Chance(0.25)) {
                Key("Игра", kKeyUp, true);
                Key("Игра", kKeyUp, false);
            }
            Advance(player_.Between(30, 400));
        }
        Key("Игра", arrow, false);
    }

    // The program's rules, after every event.
    void Check() {
        ++events_;
        if (runtime_->ended()) return;
        if (runtime_->windows().size() > 4) throw Failure{"more than four windows loaded"};
        std::set<std::string> names;
        for (const auto& w : runtime_->windows()) {
            if (w->unloaded) continue;
            if (!names.insert(w->name()).second) throw Failure{"two windows " + w->name()};
        }
        if (Модуль1::Busy) throw Failure{"Busy is True between events"};
        if (Window* game = Loaded("Игра")) {
            auto on = [&](const char* t) { return game->FindTimer(t)->Enabled(); };
            if (on("Timer3") && on("Timer4")) throw Failure{"Timer3 and Timer4 both on"};
            if (on("Timer1") && on("Timer2")) throw Failure{"Timer1 and Timer2 both on"};
            levels_.insert(Модуль1::CurrentLevel);
            screens_.insert(Модуль1::CurrentLevel * 100 + Модуль1::CurrentScreen);
        }
        CheckSaveFile();
    }

    // The save file is read again whenever it has changed.
    void CheckSaveFile() {
        struct stat st;
        const std::string path = DataPath("Kelto.sav");
        if (::stat(path.c_str(), &st) != 0) return;
        const auto stamp =
            std::make_tuple(st.st_ino, st.st_size, st.st_mtim.tv_sec, st.st_mtim.tv_nsec);
        if (stamp == saveStamp_) return;
        saveStamp_ = stamp;
        ++saves_;
        auto bytes = ReadFile(path, 1u << 20);
        if (!bytes || !ParseSave(SplitLines(*bytes)))
            throw Failure{"the save file cannot be read back: " + bytes.value_or("(unreadable)")};
    }

    const double hours_;
    const unsigned seed_;
    Player player_;
    fs::path data_, folder_;
    std::ostream sink_{nullptr};  // the event log goes nowhere
    std::unique_ptr<PlayBackend> backend_;
    std::unique_ptr<Runtime> runtime_;
    double playedMs_ = 0, runStartMs_ = 0;
    long events_ = 0, inputs_ = 0, ticks_ = 0, runs_ = 0, saves_ = 0;
    long firstHourKb_ = 0, firstHourPeakKb_ = 0, endKb_ = 0;
    std::string lastAction_ = "start";
    std::set<int> levels_, screens_;
    std::tuple<ino_t, off_t, time_t, long> saveStamp_{};
};

}  // namespace
}  // namespace kelto::longplay

int main(int argc, char** argv) {
    double hours = 10;
    unsigned seed = 1;
    std::string data = KELTO_SOURCE_DIR "/Data";
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--hours" && i + 1 < argc)
            hours = std::atof(argv[++i]);
        else if (arg == "--seed" && i + 1 < argc)
            seed = static_cast<unsigned>(std::atol(argv[++i]));
        else if (arg == "--data" && i + 1 < argc)
            data = argv[++i];
        else {
            std::cerr << "usage: kelto-longplay [--hours H] [--seed S] [--data DIR]\n";
            return 2;
        }
    }
    if (hours <= 0 || !std::filesystem::is_directory(data)) {
        std::cerr << "kelto-longplay: nothing to play (hours " << hours << ", data " << data
                  << ")\n";
        return 2;
    }
    setenv("SDL_VIDEODRIVER", "dummy", 1);
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    return kelto::longplay::LongPlay(hours, seed, data).Run();
}
