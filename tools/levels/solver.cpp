#include "tools/levels/solver.h"

#include <chrono>
#include <cmath>
#include <cstdint>
#include <queue>
#include <tuple>
#include <unordered_set>

#include "game/save_file.h"
#include "platform/runtime.h"
#include "platform/value.h"
#include "tools/levels/level_source.h"

namespace kelto::levels {
namespace {

enum class Result { Stood, Fell, Finished, Timeout };

struct Step {
    Result result;
    Stand end;
    long ticks;
};

constexpr long kSettleTicks = 400;  // longest fall after the keys are released

std::vector<KeyEvent> MoveEvents(const Move& m) {
    std::vector<KeyEvent> ev;
    if (m.jump) {
        ev.push_back({0, true, kKeyUp});
        ev.push_back({0, false, kKeyUp});
    }
    if (m.dir != 0) {
        const int code = m.dir < 0 ? kKeyLeft : kKeyRight;
        ev.push_back({m.delay, true, code});
        ev.push_back({m.delay + m.hold, false, code});
    }
    return ev;
}

void Apply(Player& p, const KeyEvent& e) {
    if (e.down)
        p.KeyDown(e.code);
    else
        p.KeyUp(e.code);
}

bool Finished(const Player& p) {
    return p.outcome().levelComplete || p.outcome().gameComplete;
}

// Plays one move from a standing place until the hero stands again with every key released.
Step RunMove(Player& p, int level, const Stand& from, const Move& m) {
    p.Restore(level, from);
    const std::vector<KeyEvent> ev = MoveEvents(m);
    const long last = ev.empty() ? 0 : ev.back().tick;
    std::size_t k = 0;
    for (long t = 0;;) {
        while (k < ev.size() && ev[k].tick == t) Apply(p, ev[k++]);
        p.Wait(kTickMs);
        ++t;
        if (Finished(p)) return {Result::Finished, {}, t};
        if (p.outcome().fellOut || !p.running()) return {Result::Fell, {}, t};
        const Stand s = p.stand();
        if (s.top > kFieldHeight) return {Result::Fell, {}, t};
        if (t > last && p.standing()) return {Result::Stood, s, t};
        if (t > last + kSettleTicks) return {Result::Timeout, {}, t};
    }
}

std::vector<Move> AllMoves() {
    std::vector<Move> moves;
    for (int dir : {1, -1}) {
        for (int hold : {1, 2, 3, 5, 8, 12, 17, 24, 34, 48, 68, 95, 130, 180, 270})
            moves.push_back({dir, false, 0, hold});
    }
    moves.push_back({0, true, 0, 0});
    for (int dir : {1, -1}) {
        for (int delay : {0, 6, 14, 24, 36, 50}) {
            for (int hold : {3, 6, 10, 15, 21, 28, 36, 45, 56, 70, 88, 110, 140})
                moves.push_back({dir, true, delay, hold});
        }
    }
    return moves;
}

uint64_t Key(const Stand& s) {
    const auto x = static_cast<uint64_t>(std::lround(s.left) + 100000);
    const auto y = static_cast<uint64_t>(std::lround(s.top) + 100000);
    return static_cast<uint64_t>(s.screen + 1) << 40 | x << 20 | y;
}

}  // namespace

long OpenAtStart(Player& player, const Start& start) {
    if (start.newGame)
        player.StartNewGame();
    else
        player.StartFromSave();
    for (long t = 1; t <= kSettleTicks; ++t) {
        player.Wait(kTickMs);
        if (!player.running() || player.outcome().fellOut) return -1;
        if (player.standing()) return t;
    }
    return -1;
}

Solution Solve(const ProgramFolderCopy& folder, const Start& start, double timeLimitSeconds) {
    Solution sol;
    Player player(folder);
    sol.startTicks = OpenAtStart(player, start);
    if (sol.startTicks < 0) return sol;
    const auto began = std::chrono::steady_clock::now();

    struct Node {
        Stand stand;
        int parent;
        Move move;
        long total;  // ticks from the first standing instant
    };
    std::vector<Node> nodes{{player.stand(), -1, {}, 0}};
    sol.furthest = nodes[0].stand;
    std::unordered_set<uint64_t> seen{Key(nodes[0].stand)};
    // Most progress to the right first; among equals, the quicker path.
    using Entry = std::tuple<double, long, int>;
    std::priority_queue<Entry> open;
    auto progress = [](const Stand& s) { return (s.screen - 1) * double(kFieldWidth) + s.left; };
    open.push({progress(nodes[0].stand), 0, 0});
    const std::vector<Move> moves = AllMoves();

    int goal = -1;
    Move goalMove;
    long goalTicks = 0;
    while (!open.empty() && goal < 0) {
        const double elapsed =
            std::chrono::duration<double>(std::chrono::steady_clock::now() - began).count();
        if (elapsed > timeLimitSeconds) break;
        const int index = std::get<2>(open.top());
        open.pop();
        ++sol.expansions;
        for (const Move& m : moves) {
            const Node from = nodes[index];
            ++sol.simulations;
            const Step step = RunMove(player, start.level, from.stand, m);
            if (step.result == Result::Finished) {
                if (goal < 0 || from.total + step.ticks < nodes[goal].total + goalTicks) {
                    goal = index;
                    goalMove = m;
                    goalTicks = step.ticks;
                }
                continue;
            }
            if (step.result != Result::Stood) continue;
            if (!seen.insert(Key(step.end)).second) continue;
            nodes.push_back({step.end, index, m, from.total + step.ticks});
            if (progress(step.end) > progress(sol.furthest)) sol.furthest = step.end;
            open.push({progress(step.end), -nodes.back().total, int(nodes.size()) - 1});
        }
    }
    if (goal < 0) return sol;

    // The moves from the start to the goal, then the key presses at their instants.
    std::vector<std::pair<long, Move>> path{{nodes[goal].total, goalMove}};
    for (int i = goal; nodes[i].parent >= 0; i = nodes[i].parent) {
        path.push_back({nodes[nodes[i].parent].total, nodes[i].move});
    }
    std::reverse(path.begin(), path.end());
    sol.ticks = nodes[goal].total + goalTicks;
    for (const auto& [at, m] : path) {
        if (m.jump) ++sol.jumps;
        for (KeyEvent e : MoveEvents(m)) {
            e.tick += at;
            // Presses after the finish would land in the next level: only releases go on.
            if (e.tick < sol.ticks || !e.down) sol.events.push_back(e);
        }
    }
    for (KeyEvent& e : sol.events) e.tick = std::min(e.tick, sol.ticks);

    // The search restored standing places directly; prove the whole run from the real start.
    sol.found = PlayEvents(player, start, sol.events, sol.ticks + kSettleTicks);
    return sol;
}

bool PlayEvents(Player& player, const Start& start, const std::vector<KeyEvent>& events,
                long maxTicks) {
    if (OpenAtStart(player, start) < 0) return false;
    std::size_t k = 0;
    for (long t = 0; t <= maxTicks; ++t) {
        while (k < events.size() && events[k].tick == t) Apply(player, events[k++]);
        if (Finished(player)) return true;
        if (player.outcome().fellOut || !player.running()) return false;
        player.Wait(kTickMs);
    }
    return Finished(player);
}

namespace {

// A byte string as a printf format inside single quotes.
std::string PrintfBytes(const std::string& bytes) {
    std::string out;
    for (unsigned char c : bytes) {
        if (c == '\r')
            out += "\\r";
        else if (c == '\n')
            out += "\\n";
        else if (c >= '0' && c <= '9')
            out += static_cast<char>(c);
        else {
            char buf[8];
            std::snprintf(buf, sizeof buf, "\\%03o", c);
            out += buf;
        }
    }
    return out;
}

std::string WaitLine(long ticks) {
    return "wait " + FormatNumber(ticks * kTickMs) + "\n";
}

}  // namespace

std::string FormatScript(const Start& start, const Solution& s) {
    std::string out = "# Level " + std::to_string(start.level) +
                      ": key presses that finish it, found by kelto-levels solve (" +
                      std::to_string(s.ticks) + " ticks, " + std::to_string(s.jumps) + " jumps).\n";
    if (!start.newGame) {
        const std::string save = FormatSave({1, static_cast<int16_t>(start.level), 300, 3900});
        out += "# setup: printf '" + PrintfBytes(save) + "' > Data/Kelto.sav\n";
        out += "set Модуль1.StartFromSave 1\n";
    }
    out += "show Игра\n";
    out += "answer ok\n";
    long now = -s.startTicks;
    for (const KeyEvent& e : s.events) {
        if (e.tick > now) out += WaitLine(e.tick - now);
        now = e.tick;
        out += std::string(e.down ? "keydown " : "keyup ") + std::to_string(e.code) + "\n";
    }
    if (s.ticks + 2 > now) out += WaitLine(s.ticks + 2 - now);
    out += "state\n";
    return out;
}

}  // namespace kelto::levels
