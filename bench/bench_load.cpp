// Headless timings: "Новая игра" to the game window shown (the real time of the handlers' work,
// the splash window's 500 ms passing on the virtual clock), and reading a 20-level map.
// Prints "name value" lines for bench/run.sh.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "app/program.h"
#include "game/level_map.h"
#include "platform/files.h"
#include "platform/headless/headless_backend.h"
#include "platform/render.h"
#include "platform/runtime.h"

namespace {

using Clock = std::chrono::steady_clock;

double Ms(Clock::duration d) {
    return std::chrono::duration<double, std::milli>(d).count();
}

double Median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

// One start of a new game from a fresh main menu; the real milliseconds it took.
double NewGameOnce(int menuX, int menuY) {
    using namespace kelto;
    std::ostringstream log;
    HeadlessBackend backend(log);
    Runtime rt(backend);
    ResetProgramState();
    RegisterProgramWindows(rt);
    StartProgram(rt);
    Window& menu = *rt.Find("Form1");
    Control* button = ControlAt(menu, menuX, menuY);
    const auto start = Clock::now();
    rt.MouseEvent(menu, button, Runtime::Mouse::Down, 1);
    rt.MouseEvent(menu, button, Runtime::Mouse::Up, 1);
    // The splash window waits on the virtual clock; only the work is timed.
    while (!rt.Find("Игра")) {
        Timer* t = rt.NextDueTimer();
        if (!t || rt.ended()) {
            std::fprintf(stderr, "the game window never opened:\n%s", log.str().c_str());
            std::exit(1);
        }
        backend.SetNow(t->due());
        rt.RunDueTimers();
    }
    return Ms(Clock::now() - start);
}

// A map of 20 levels, 10 screens of 10 blocks each, one number a line with CR LF.
std::string TwentyLevelMap() {
    std::string text = "20\r\n";
    for (int level = 1; level <= 20; ++level)
        for (int screen = 1; screen <= 10; ++screen)
            for (int block = 1; block <= 10; ++block)
                for (int v : {block * 700, 1000 + screen * 100, 600 + level * 10, 300})
                    text += std::to_string(v) + "\r\n";
    return text;
}

}  // namespace

int main(int argc, char** argv) {
    // The main menu's "Новая игра" button, in client pixels, and the program folder.
    const int menuX = argc > 2 ? std::atoi(argv[1]) : 172;
    const int menuY = argc > 2 ? std::atoi(argv[2]) : 142;
    if (argc > 3) kelto::SetProgramFolder(argv[3]);

    std::vector<double> loads;
    for (int i = 0; i < 21; ++i) loads.push_back(NewGameOnce(menuX, menuY));
    std::printf("new_game_ms %.2f\n", Median(loads));

    const auto path = std::filesystem::temp_directory_path() / "kelto-bench-map.res";
    std::ofstream(path, std::ios::binary) << TwentyLevelMap();
    std::vector<double> reads;
    for (int i = 0; i < 51; ++i) {
        kelto::LevelMapData map;
        const auto start = Clock::now();
        auto text = kelto::ReadFile(path.string());
        auto read = kelto::ReadLevelMapLines(kelto::SplitLines(*text), map);
        reads.push_back(Ms(Clock::now() - start));
        if (read.badLine || map.LevelCount != 20) {
            std::fprintf(stderr, "the 20-level map was refused at line %d\n", read.badLine);
            return 1;
        }
    }
    std::filesystem::remove(path);
    std::printf("map20_ms %.3f\n", Median(reads));
    return 0;
}
