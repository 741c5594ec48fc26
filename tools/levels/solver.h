#pragma once
// Finds key presses that finish a level, by playing the game headless: a best-first search over
// the places where the hero stands, each move a short macro of key presses.
#include <string>
#include <vector>

#include "tools/levels/player.h"

namespace kelto::levels {

// One macro of key presses, started while the hero stands: optionally Up at once, then the arrow
// `dir` (-1 left, +1 right, 0 none) held from tick `delay` for `hold` ticks.
struct Move {
    int dir = 0;
    bool jump = false;
    int delay = 0;
    int hold = 0;
};

struct KeyEvent {
    long tick;  // ticks of the game's motion timers from the first instant the hero stands
    bool down;
    int code;
};

struct Solution {
    bool found = false;
    long startTicks = 0;  // ticks from the window load to the first standing instant
    long ticks = 0;       // ticks from then until the level is finished
    int jumps = 0;
    std::vector<KeyEvent> events;
    Stand furthest;  // the standing place furthest to the right that the search reached
    int expansions = 0;
    int simulations = 0;
};

struct Start {
    int level = 1;
    bool newGame = true;  // else from the folder's save file
};

// Opens the game at `start` and waits until the hero stands; the number of ticks waited.
long OpenAtStart(Player& player, const Start& start);

Solution Solve(const ProgramFolderCopy& folder, const Start& start, double timeLimitSeconds);

// Plays `events` from the start, one tick at a time; true when the level (or game) is finished.
bool PlayEvents(Player& player, const Start& start, const std::vector<KeyEvent>& events,
                long maxTicks);

// The kelto-replay script of a solution.
std::string FormatScript(const Start& start, const Solution& s);

}  // namespace kelto::levels
