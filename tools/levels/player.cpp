#include "tools/levels/player.h"

#include <cstdio>
#include <filesystem>
#include <stdexcept>

#include "app/program.h"
#include "game/save_file.h"
#include "game/Игра.h"
#include "game/Модуль1.h"
#include "platform/files.h"
#include "platform/picture.h"

namespace kelto::levels {

namespace fs = std::filesystem;

ProgramFolderCopy::ProgramFolderCopy(const std::string& dataDir, const std::string& map) {
    std::string pattern = (fs::temp_directory_path() / "kelto-levels-XXXXXX").string();
    if (!mkdtemp(pattern.data())) throw std::runtime_error("cannot make a temporary folder");
    path_ = pattern;
    fs::create_directories(fs::path(path_) / "Data");
    for (const auto& entry : fs::directory_iterator(dataDir)) {
        if (entry.is_regular_file() && entry.path().filename() != "Kelto.sav")
            fs::copy_file(entry.path(), fs::path(path_) / "Data" / entry.path().filename());
    }
    fs::copy_file(map, fs::path(path_) / "Data" / "Map.res", fs::copy_options::overwrite_existing);
}

ProgramFolderCopy::~ProgramFolderCopy() {
    std::error_code ignored;
    fs::remove_all(path_, ignored);
}

void ProgramFolderCopy::WriteSave(int level, int screen, float left, float top) const {
    const std::string bytes =
        FormatSave({static_cast<int16_t>(screen), static_cast<int16_t>(level), left, top});
    std::FILE* f = std::fopen((path_ + "/Data/Kelto.sav").c_str(), "wb");
    if (!f) throw std::runtime_error("cannot write the save file");
    std::fwrite(bytes.data(), 1, bytes.size(), f);
    std::fclose(f);
}

namespace {
// Swallows the headless backend's event log.
struct NullBuffer : std::streambuf {
    int overflow(int c) override { return c; }
};
NullBuffer g_nullBuffer;
std::ostream g_nullStream(&g_nullBuffer);
}  // namespace

// Answers the game's message boxes and notes what they told: the level and game completion
// messages get OK, the fall-out question gets No.
class Player::Backend : public HeadlessBackend {
public:
    Backend() : HeadlessBackend(g_nullStream) {}
    int ShowMessageBox(const std::string& prompt, int style, const std::string& title) override {
        if (prompt == "Вы прошли уровень!") outcome.levelComplete = true;
        if (prompt == "Вы прошли игру!") outcome.gameComplete = true;
        const bool yesNo = style % 16 == 4;
        if (yesNo) outcome.fellOut = true;
        if (pendingAnswers() > 0) return HeadlessBackend::ShowMessageBox(prompt, style, title);
        return yesNo ? kNo : kOk;
    }
    void PlaySound(const std::string&, const std::string*) override {}
    Outcome outcome;
};

Player::Player(const ProgramFolderCopy& folder) : folder_(folder) {}

Player::~Player() {
    runtime_.reset();
    backend_.reset();
}

void Player::Begin(int startFromSave, bool showGame) {
    runtime_.reset();
    backend_ = std::make_unique<Backend>();
    SetProgramFolder(folder_.path());
    // A fresh program: every shared variable unassigned.
    using namespace Модуль1;
    JumpSpeed = JumpStartSpeed = FallSpeed = Gravity = WalkStep = 0;
    CurrentLevel = Модуль1::StartFromSave = CurrentScreen = 0;
    InAir = MenuOpen = Busy = FacingLeft = false;
    startFromSave_ = startFromSave;
    runtime_ = std::make_unique<Runtime>(*backend_);
    RegisterProgramWindows(*runtime_);
    StartProgram(*runtime_);
    if (!showGame) return;
    Модуль1::StartFromSave = static_cast<int16_t>(startFromSave);
    runtime_->Deliver([&] { runtime_->Show("Игра"); });
    if (!running()) throw std::runtime_error("the game window did not open");
}

void Player::StartNewGame() {
    Begin(0);
}
void Player::StartFromSave() {
    Begin(1);
}
void Player::StartProgramOnly() {
    Begin(0, false);
}

bool Player::running() const {
    return runtime_ && !runtime_->ended() && runtime_->Find("Игра") != nullptr;
}

Игра& Player::game() const {
    Window* w = runtime_ ? runtime_->Find("Игра") : nullptr;
    if (!w) throw std::runtime_error("the game window is not loaded");
    return static_cast<Игра&>(*w);
}

int Player::level() const {
    return Модуль1::CurrentLevel;
}

Stand Player::stand() const {
    const Игра& g = game();
    return {Модуль1::CurrentScreen, g.Picture5.Left.get(), g.Picture5.Top.get(),
            Модуль1::FacingLeft};
}

bool Player::standing() const {
    const Игра& g = game();
    return g.Timer2.Enabled() && !g.Timer1.Enabled() && !Модуль1::InAir;
}

const Outcome& Player::outcome() const {
    return backend_->outcome;
}
void Player::ResetOutcome() {
    backend_->outcome = {};
}

void Player::Restore(int level, const Stand& s) {
    if (!running()) Begin(startFromSave_);
    ResetOutcome();
    runtime_->Deliver([&] {
        using namespace Модуль1;
        Игра& g = game();
        g.Timer1.SetEnabled(false);
        g.Timer3.SetEnabled(false);
        g.Timer4.SetEnabled(false);
        CurrentLevel = static_cast<int16_t>(level);
        CurrentScreen = static_cast<int16_t>(s.screen);
        JumpSpeed = JumpStartSpeed;
        FallSpeed = 0;
        InAir = false;
        Busy = false;
        if (FacingLeft != s.facingLeft) {
            FacingLeft = s.facingLeft;
            g.Picture5.SetPicture(LoadPicture(DataPath(s.facingLeft ? "Per2.res" : "Per.res")));
        }
        g.PlaceBlocks(level, s.screen, 1);
        g.Picture5.Left = s.left;
        g.Picture5.Top = s.top;
        // Gravity found the hero standing at this very instant: its next tick is one period on.
        g.Timer2.SetEnabled(false);
        g.Timer2.SetEnabled(true);
    });
}

void Player::Wait(double ms) {
    Runtime& rt = *runtime_;
    const double target = backend_->NowMs() + ms;
    while (!rt.ended()) {
        Timer* t = rt.NextDueTimer();
        if (!t || t->due() > target) break;
        backend_->SetNow(std::max(backend_->NowMs(), t->due()));
        rt.RunDueTimers();
        if (observer_ && running()) observer_();
    }
    if (!rt.ended()) backend_->SetNow(target);
}

void Player::KeyDown(int code) {
    runtime_->KeyDown(code);
}
void Player::KeyUp(int code) {
    runtime_->KeyUp(code);
}

namespace {
constexpr const char* kModule = "Модуль1.";
}

bool Player::Command(const std::string& verb, const std::vector<std::string>& args) {
    Runtime& rt = *runtime_;
    if (verb == "wait" && args.size() == 1) {
        Wait(std::stod(args[0]));
    } else if (verb == "keydown" && args.size() == 1) {
        KeyDown(std::stoi(args[0]));
    } else if (verb == "keyup" && args.size() == 1) {
        KeyUp(std::stoi(args[0]));
    } else if (verb == "answer" && args.size() == 1) {
        backend_->QueueAnswer(args[0] == "yes" ? kYes : args[0] == "no" ? kNo : kOk);
    } else if (verb == "show" && args.size() == 1) {
        rt.Deliver([&] { rt.Show(args[0]); });
    } else if (verb == "set" && args.size() == 2 && args[0].rfind(kModule, 0) == 0) {
        const Window::Variable* v =
            rt.FindModuleVariable("Модуль1", args[0].substr(std::string_view(kModule).size()));
        if (!v) return false;
        rt.Deliver([&] { v->set(Value{std::stod(args[1])}); });
    } else if (verb == "ticks" && args.size() == 2) {
        const auto dot = args[0].find('.');
        if (dot == std::string::npos) return false;
        Window* w = rt.Find(args[0].substr(0, dot));
        Timer* ours = w ? w->FindTimer(args[0].substr(dot + 1)) : nullptr;
        if (!ours) return false;
        const uint64_t goal = ours->tickCount() + std::stoull(args[1]);
        while (ours->tickCount() < goal && !rt.ended()) {
            if (!ours->Enabled()) return false;
            Wait(ours->due() - backend_->NowMs());
        }
    } else if (verb == "state" || verb == "print" || verb == "screenshot" || verb == "time" ||
               verb == "date" || verb == "focus") {
        // Nothing here moves the hero.
    } else {
        return false;
    }
    return true;
}

}  // namespace kelto::levels
