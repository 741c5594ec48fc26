#pragma once
// Plays the real game window headless on the virtual clock: starts it from a new game or a save
// file, presses keys at tick instants and watches the hero. Every step is the game's own tick code.
#include <functional>
#include <memory>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "platform/headless/headless_backend.h"
#include "platform/runtime.h"

namespace kelto {
class Игра;
}

namespace kelto::levels {

// One game tick of the motion timers (a 10 ms timer ticks every 15.625 ms).
constexpr double kTickMs = 15.625;

// A hero standing still: the state every search step starts from.
struct Stand {
    int screen = 1;
    float left = 0, top = 0;
    bool facingLeft = false;
    bool operator==(const Stand&) const = default;
};

struct PathPoint {
    int screen;
    float left, top;
};

// What the game reported through its message boxes.
struct Outcome {
    bool levelComplete = false;
    bool gameComplete = false;
    bool fellOut = false;
};

// A copy of a program folder (the Data files and the map under test) in a temporary folder.
class ProgramFolderCopy {
public:
    // dataDir: a folder holding the game's Data files; map: the level map to play.
    ProgramFolderCopy(const std::string& dataDir, const std::string& map);
    ~ProgramFolderCopy();
    const std::string& path() const { return path_; }
    // Writes Data/Kelto.sav for the given start.
    void WriteSave(int level, int screen, float left, float top) const;

private:
    std::string path_;
};

class Player {
public:
    explicit Player(const ProgramFolderCopy& folder);
    ~Player();

    // Opens the game window as a fresh program would: a new game (level 1, hero where the layout
    // puts it) or the save file of the folder.
    void StartNewGame();
    void StartFromSave();
    // Starts the program as kelto-replay does (the main menu only), for a script to go on.
    void StartProgramOnly();

    // Puts the game into the standing state `s` of `level` at the current instant: the same
    // state the window is in after a gravity tick found the hero standing there.
    void Restore(int level, const Stand& s);

    // Advances the clock by `ms`, delivering every tick that falls due (as kelto-replay's wait).
    void Wait(double ms);
    void KeyDown(int code);
    void KeyUp(int code);
    // Runs a script command the way kelto-replay does (show, set, wait, ticks, keydown, keyup,
    // answer); other commands are ignored. False when it is not understood.
    bool Command(const std::string& verb, const std::vector<std::string>& args);

    bool running() const;  // the game window is loaded and the program has not ended
    Игра& game() const;
    Stand stand() const;
    int level() const;
    bool standing() const;  // gravity is on and found the hero standing
    const Outcome& outcome() const;
    void ResetOutcome();

    // Called after every tick of the game window's motion timers.
    void SetTickObserver(std::function<void()> observer) { observer_ = std::move(observer); }

private:
    class Backend;
    void Begin(int startFromSave, bool showGame = true);
    const ProgramFolderCopy& folder_;
    int startFromSave_ = 0;
    std::unique_ptr<Backend> backend_;
    std::unique_ptr<Runtime> runtime_;
    std::function<void()> observer_;
};

}  // namespace kelto::levels
