// kelto-replay [--folder DIR] SCRIPT...: runs the program headless, following scripts.
#include <SDL.h>

#include <cstdlib>
#include <fstream>
#include <iostream>
#include <sstream>

#include "platform/files.h"
#include "tools/replay/replay.h"

int main(int argc, char** argv) {
    std::vector<std::string> scripts;
    for (int i = 1; i < argc; ++i) {
        std::string arg = argv[i];
        if (arg == "--folder" && i + 1 < argc) {
            kelto::SetProgramFolder(argv[++i]);
        } else if (!arg.empty() && arg[0] == '-' && arg != "-") {
            std::cerr << "usage: kelto-replay [--folder DIR] SCRIPT...\n";
            return 2;
        } else {
            scripts.push_back(arg);
        }
    }
    if (scripts.empty()) {
        std::cerr << "usage: kelto-replay [--folder DIR] SCRIPT...\n";
        return 2;
    }
    std::string text;
    for (const auto& path : scripts) {
        std::stringstream buf;
        if (path == "-") {
            buf << std::cin.rdbuf();
        } else {
            std::ifstream in(path, std::ios::binary);
            if (!in) {
                std::cerr << "kelto-replay: cannot read " << path << '\n';
                return 2;
            }
            buf << in.rdbuf();
        }
        text += buf.str();
        if (!text.empty() && text.back() != '\n') text += '\n';
    }
    // A test-only switch: make the next file replacements fail part way.
    if (const char* fault = std::getenv("KELTO_WRITE_FAULT")) {
        const std::string f = fault;
        kelto::InjectWriteFault(f == "partial"  ? kelto::WriteFault::AfterPartialWrite
                                : f == "rename" ? kelto::WriteFault::AtRename
                                                : kelto::WriteFault::None);
    }
    SDL_SetHint(SDL_HINT_VIDEODRIVER, "dummy");
    SDL_SetHint(SDL_HINT_AUDIODRIVER, "dummy");
    return kelto::replay::RunReplay(text, std::cout, std::cerr);
}
