// kelto-levels: builds the level map from readable sources, checks it, draws a level, and finds
// key presses that finish a level by playing the game headless.
//
//   kelto-levels build SRC_DIR OUT_MAP
//   kelto-levels check MAP [--data DIR]
//   kelto-levels render MAP LEVEL OUT.png [SOLUTION.script] [--data DIR]
//   kelto-levels solve MAP LEVEL OUT.script [--data DIR] [--seconds N]
//
// DIR is the folder of the game's Data files (textures, hero pictures, sounds); by default the
// folder that holds MAP.
#include <SDL.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>

#include "game/Игра.h"
#include "game/Модуль1.h"
#include "platform/files.h"
#include "platform/render.h"
#include "tools/levels/level_check.h"
#include "tools/levels/level_source.h"
#include "tools/levels/player.h"
#include "tools/levels/solver.h"
#include "tools/replay/script.h"

namespace fs = std::filesystem;
using namespace kelto;
using namespace kelto::levels;

namespace {

int Usage() {
    std::cerr << "usage: kelto-levels build SRC_DIR OUT_MAP\n"
                 "       kelto-levels check MAP [--data DIR]\n"
                 "       kelto-levels render MAP LEVEL OUT.png [SOLUTION.script] [--data DIR]\n"
                 "       kelto-levels solve MAP LEVEL OUT.script [--data DIR] [--seconds N]\n";
    return 2;
}

std::optional<std::string> Slurp(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return std::nullopt;
    std::stringstream buf;
    buf << in.rdbuf();
    return buf.str();
}

bool WriteText(const std::string& path, const std::string& text) {
    std::ofstream out(path, std::ios::binary);
    out << text;
    return static_cast<bool>(out.flush());
}

// ---- build ----

int Build(const std::string& srcDir, const std::string& outMap) {
    std::vector<fs::path> files;
    for (const auto& e : fs::directory_iterator(srcDir)) {
        const std::string name = e.path().filename().string();
        if (name.rfind("level", 0) == 0 && e.path().extension() == ".txt")
            files.push_back(e.path());
    }
    std::sort(files.begin(), files.end());
    if (files.empty()) {
        std::cerr << "kelto-levels: no levelNN.txt in " << srcDir << '\n';
        return 1;
    }
    std::vector<Level> levels;
    bool failed = false;
    for (const fs::path& f : files) {
        std::vector<SourceError> errors;
        auto text = Slurp(f.string());
        if (!text) {
            std::cerr << f.string() << ": cannot read\n";
            return 1;
        }
        levels.push_back(ParseLevelSource(*text, errors));
        for (const SourceError& e : errors) {
            std::cerr << f.string() << ':' << e.line << ": " << e.message << '\n';
            failed = true;
        }
    }
    if (levels.size() > 20) {
        std::cerr << "kelto-levels: the game holds at most 20 levels\n";
        return 1;
    }
    if (failed) return 1;
    if (!WriteText(outMap, FormatLevelMap(levels))) {
        std::cerr << "kelto-levels: cannot write " << outMap << '\n';
        return 1;
    }
    std::cout << "wrote " << outMap << ": " << levels.size() << " levels\n";
    return 0;
}

// ---- check ----

// Walks (and, when `jump`, keeps jumping) to the left from where the hero stands; true when it
// leaves screen 1.
bool LeavesToTheLeft(Player& p, int level, bool jump) {
    const Stand from = p.stand();
    p.Restore(level, from);
    p.KeyDown(kKeyLeft);
    for (int t = 0; t < 600 && p.running(); ++t) {
        if (jump && p.standing()) {
            p.KeyDown(kKeyUp);
            p.KeyUp(kKeyUp);
        }
        p.Wait(kTickMs);
        if (!p.running() || p.outcome().fellOut || p.stand().top > kFieldHeight) return false;
        if (p.stand().screen != 1) return true;
    }
    return false;
}

std::vector<Finding> CheckStarts(const std::string& map, const std::string& dataDir, int count) {
    std::vector<Finding> out;
    ProgramFolderCopy folder(dataDir, map);
    Player p(folder);
    for (int level = 1; level <= count; ++level) {
        const std::string where = "level " + std::to_string(level) + " screen 1: ";
        std::vector<std::pair<std::string, Start>> starts;
        // Level 1 begins with a new game; every other level where the level before it ends.
        if (level == 1)
            starts.push_back({"the new-game start (480, 3420)", {1, true}});
        else
            starts.push_back({"the level start (300, 3900)", {level, false}});
        for (const auto& [name, start] : starts) {
            if (!start.newGame) folder.WriteSave(level, 1, 300, 3900);
            const long settle = OpenAtStart(p, start);
            if (settle < 0) {
                out.push_back({false, where + name + " has no floor: the hero falls out"});
                continue;
            }
            if (start.newGame && (settle != 1 || p.stand().top != 3420)) {
                out.push_back({false, where + name + " does not stand on a floor at 3900"});
            }
            if (LeavesToTheLeft(p, level, false)) {
                out.push_back({false, where + "walking left from " + name + " leads to screen 0"});
            } else {
                OpenAtStart(p, start);
                if (LeavesToTheLeft(p, level, true))
                    out.push_back(
                        {false, where + "jumping left from " + name + " leads to screen 0"});
            }
        }
    }
    return out;
}

int Check(const std::string& map, const std::string& dataDir) {
    auto text = ReadFile(map);
    if (!text) {
        std::cerr << "kelto-levels: cannot read " << map << '\n';
        return 1;
    }
    static LevelMapData data;
    std::vector<Finding> findings = CheckMapLines(SplitLines(*text), data);
    bool errors = false;
    for (const Finding& f : findings) errors = errors || f.error;
    if (!errors) {
        auto more = CheckMapGeometry(data);
        findings.insert(findings.end(), more.begin(), more.end());
        more = CheckStarts(map, dataDir, data.LevelCount);
        findings.insert(findings.end(), more.begin(), more.end());
    }
    int nErrors = 0, nWarnings = 0;
    for (const Finding& f : findings) {
        std::cout << (f.error ? "error: " : "warning: ") << f.text << '\n';
        (f.error ? nErrors : nWarnings)++;
    }
    if (findings.empty()) {
        std::cout << map << ": " << int(data.LevelCount) << " levels, clean\n";
    } else {
        std::cout << map << ": " << nErrors << " errors, " << nWarnings << " warnings\n";
    }
    return nErrors > 0 ? 1 : 0;
}

// ---- render ----

constexpr int kScreenPx = kFieldWidth / 15;  // 533: the play field's width in pixels
constexpr int kFieldPx = kFieldHeight / 15;  // 353
constexpr int kFieldTopPx = 360 / 15;        // the play field's top in the game window

struct Track {
    std::vector<PathPoint> points;
    std::vector<PathPoint> jumps;
    bool finished = false;
};

// Runs a kelto-replay script headless and records where the hero is after every tick.
Track RunScript(const std::string& map, const std::string& dataDir, const std::string& script,
                int level) {
    Track track;
    auto text = Slurp(script);
    if (!text) throw std::runtime_error("cannot read " + script);
    ProgramFolderCopy folder(dataDir, map);
    std::string setup;
    std::istringstream lines(*text);
    for (std::string line; std::getline(lines, line);) {
        if (line.rfind("# setup:", 0) == 0) setup += line.substr(8) + "\n";
        if (line.rfind("# fixture:", 0) == 0)
            std::cerr << "kelto-levels: fixtures are not applied by render\n";
    }
    if (!setup.empty()) {
        WriteText(folder.path() + "/.setup.sh", setup);
        const std::string cmd = "cd '" + folder.path() + "' && bash -e .setup.sh";
        if (std::system(cmd.c_str()) != 0) throw std::runtime_error("the script's setup failed");
    }
    Player p(folder);
    p.StartProgramOnly();
    auto here = [&] {
        const Stand s = p.stand();
        return PathPoint{s.screen, s.left, s.top};
    };
    p.SetTickObserver([&] {
        if (p.level() != level) return;
        const PathPoint pt = here();
        if (pt.screen < 1 || pt.screen > kScreens) return;
        track.points.push_back(pt);
    });
    for (const replay::Command& c : replay::ParseScript(*text)) {
        if (!p.running() && c.verb != "show" && c.verb != "set" && c.verb != "answer") break;
        if (c.verb == "keydown" && c.args.size() == 1 && c.args[0] == "38" && p.running() &&
            !Модуль1::InAir && p.level() == level)
            track.jumps.push_back(here());
        if (!p.Command(c.verb, c.args))
            throw std::runtime_error("line " + std::to_string(c.line) + ": not understood");
        if (p.outcome().levelComplete || p.outcome().gameComplete) track.finished = true;
    }
    return track;
}

int Render(const std::string& map, int level, const std::string& out, const std::string& script,
           const std::string& dataDir) {
    ProgramFolderCopy folder(dataDir, map);
    const Start start{level, level == 1};
    if (!start.newGame) folder.WriteSave(level, 1, 300, 3900);
    Player p(folder);
    if (start.newGame)
        p.StartNewGame();
    else
        p.StartFromSave();
    Игра& g = p.game();
    const Stand heroStart = p.stand();

    Canvas all(kScreenPx * kScreens, kFieldPx);
    for (int s = 1; s <= kScreens; ++s) {
        // Screen 1 stays as the window load built it (for a new game, blocks 1 and 2 of the
        // layout).
        if (s > 1) g.PlaceBlocks(level, s, 1);
        g.Picture5.Left = s == 1 ? heroStart.left : 30000.f;
        g.Picture5.Top = heroStart.top;
        Canvas c = RenderWindow(g);
        for (int y = 0; y < kFieldPx; ++y) {
            for (int x = 0; x < kScreenPx; ++x) {
                const int sy = y + kFieldTopPx;
                if (x < c.width && sy < c.height)
                    all.pixels[size_t(y) * all.width + (s - 1) * kScreenPx + x] =
                        c.pixels[size_t(sy) * c.width + x];
            }
        }
        if (s > 1) {
            for (int y = 0; y < kFieldPx; y += 6)
                all.FillRect({(s - 1) * kScreenPx, y, (s - 1) * kScreenPx + 1, y + 3},
                             Pixel::Opaque(0x303030));
        }
    }
    if (!script.empty()) {
        const Track track = RunScript(map, dataDir, script, level);
        auto px = [](const PathPoint& pt) {
            return std::pair<int, int>{
                int(std::lround(((pt.screen - 1) * double(kFieldWidth) + pt.left + 187.5) / 15)),
                int(std::lround((pt.top + 240) / 15))};
        };
        for (size_t i = 1; i < track.points.size(); ++i) {
            auto [x1, y1] = px(track.points[i - 1]);
            auto [x2, y2] = px(track.points[i]);
            if (std::abs(x2 - x1) < 60 && std::abs(y2 - y1) < 60)
                all.DrawLine(x1, y1, x2, y2, 2, Pixel::Opaque(0xE01010));
        }
        for (const PathPoint& j : track.jumps) {
            auto [x, y] = px(j);
            all.FillEllipse({x - 4, y - 4, x + 5, y + 5}, Pixel::Opaque(0xFFE000));
            all.FrameEllipse({x - 4, y - 4, x + 5, y + 5}, Pixel::Opaque(0x000000));
        }
        if (!track.finished) std::cerr << "kelto-levels: the script does not finish the level\n";
    }
    if (!SavePng(all.pixels, all.width, all.height, out)) {
        std::cerr << "kelto-levels: cannot write " << out << '\n';
        return 1;
    }
    return 0;
}

// ---- solve ----

int SolveCommand(const std::string& map, int level, const std::string& out,
                 const std::string& dataDir, double seconds) {
    ProgramFolderCopy folder(dataDir, map);
    const Start start{level, level == 1};
    if (!start.newGame) folder.WriteSave(level, 1, 300, 3900);
    const auto began = std::chrono::steady_clock::now();
    const Solution s = Solve(folder, start, seconds);
    const double took =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - began).count();
    std::printf("level %d: %s in %.1f s (%d places expanded, %d moves played)", level,
                s.found ? "solved" : "NOT solved", took, s.expansions, s.simulations);
    if (s.found)
        std::printf(": %ld ticks, %d jumps", s.ticks, s.jumps);
    else
        std::printf("; furthest: screen %d at %g, %g", s.furthest.screen, s.furthest.left,
                    s.furthest.top);
    std::printf("\n");
    if (!s.found) return 1;
    if (!WriteText(out, FormatScript(start, s))) {
        std::cerr << "kelto-levels: cannot write " << out << '\n';
        return 1;
    }
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    std::vector<std::string> args;
    std::string dataDir;
    double seconds = 600;
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        if (a == "--data" && i + 1 < argc)
            dataDir = argv[++i];
        else if (a == "--seconds" && i + 1 < argc)
            seconds = std::stod(argv[++i]);
        else
            args.push_back(a);
    }
    if (args.empty()) return Usage();
    SDL_SetHint(SDL_HINT_VIDEODRIVER, "dummy");
    SDL_SetHint(SDL_HINT_AUDIODRIVER, "dummy");
    const std::string& cmd = args[0];
    auto data = [&](const std::string& map) {
        if (!dataDir.empty()) return dataDir;
        const fs::path parent = fs::absolute(map).parent_path();
        return parent.string();
    };
    try {
        if (cmd == "build" && args.size() == 3) return Build(args[1], args[2]);
        if (cmd == "check" && args.size() == 2) return Check(args[1], data(args[1]));
        if (cmd == "render" && (args.size() == 4 || args.size() == 5))
            return Render(args[1], std::stoi(args[2]), args[3], args.size() == 5 ? args[4] : "",
                          data(args[1]));
        if (cmd == "solve" && args.size() == 4)
            return SolveCommand(args[1], std::stoi(args[2]), args[3], data(args[1]), seconds);
    } catch (const std::exception& e) {
        std::cerr << "kelto-levels: " << e.what() << '\n';
        return 1;
    }
    return Usage();
}
