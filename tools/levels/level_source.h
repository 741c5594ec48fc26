#pragma once
// Readable level sources and the level map they become.
//
// A level source is one text file per level: `screen N` starts screen N (1 to 10, each exactly
// once), and every following line of four whole numbers is the next block of that screen:
// Left Top Width Height in twips. '#' starts a comment; blank lines are ignored. Blocks a screen
// does not list are written as 0 0 0 0 (no size, nothing to touch).
#include <array>
#include <cstddef>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

namespace kelto::levels {

constexpr int kScreens = 10;
constexpr int kBlocks = 10;
constexpr int kFieldWidth = 8000;
constexpr int kFieldHeight = 5295;

struct Block {
    int left = 0, top = 0, width = 0, height = 0;
    bool used() const { return width != 0 || height != 0; }
    int right() const { return left + width; }
    int bottom() const { return top + height; }
    bool operator==(const Block&) const = default;
};

struct Screen {
    std::array<Block, kBlocks> blocks{};  // blocks[0] is block 1
    int count = 0;
};

struct Level {
    std::array<Screen, kScreens> screens{};  // screens[0] is screen 1
};

struct SourceError {
    int line;  // 1-based; 0 for the file as a whole
    std::string message;
};

// Parses one level source. Errors are appended to `errors`; the level is meaningful only when
// none were added.
inline Level ParseLevelSource(std::string_view text, std::vector<SourceError>& errors) {
    Level level;
    std::array<bool, kScreens> seen{};
    int screen = 0;
    int lineNumber = 0;
    std::size_t pos = 0;
    while (pos <= text.size()) {
        std::size_t end = text.find('\n', pos);
        if (end == std::string_view::npos) end = text.size();
        std::string line(text.substr(pos, end - pos));
        pos = end + 1;
        ++lineNumber;
        if (auto hash = line.find('#'); hash != std::string::npos) line.erase(hash);
        std::istringstream words(line);
        std::vector<std::string> w;
        for (std::string word; words >> word;) w.push_back(word);
        if (w.empty()) continue;
        auto number = [&](const std::string& s, long& out) {
            std::size_t used = 0;
            try {
                out = std::stol(s, &used);
            } catch (...) {
                return false;
            }
            return used == s.size();
        };
        if (w[0] == "screen") {
            long n = 0;
            if (w.size() != 2 || !number(w[1], n) || n < 1 || n > kScreens) {
                errors.push_back({lineNumber, "expected `screen N` with N from 1 to 10"});
                continue;
            }
            if (seen[n - 1]) errors.push_back({lineNumber, "screen " + w[1] + " given twice"});
            seen[n - 1] = true;
            screen = static_cast<int>(n);
            continue;
        }
        long v[4] = {};
        if (w.size() != 4 || !number(w[0], v[0]) || !number(w[1], v[1]) || !number(w[2], v[2]) ||
            !number(w[3], v[3])) {
            errors.push_back({lineNumber, "expected a block: Left Top Width Height"});
            continue;
        }
        if (screen == 0) {
            errors.push_back({lineNumber, "a block before the first `screen` line"});
            continue;
        }
        bool inRange = true;
        for (long x : v) inRange = inRange && x >= -32768 && x <= 32767;
        if (!inRange || v[2] < 0 || v[3] < 0) {
            errors.push_back(
                {lineNumber, "block values must fit -32768..32767, sizes not negative"});
            continue;
        }
        Screen& s = level.screens[screen - 1];
        if (s.count == kBlocks) {
            errors.push_back(
                {lineNumber, "more than 10 blocks on screen " + std::to_string(screen)});
            continue;
        }
        s.blocks[s.count++] = {static_cast<int>(v[0]), static_cast<int>(v[1]),
                               static_cast<int>(v[2]), static_cast<int>(v[3])};
    }
    for (int i = 0; i < kScreens; ++i) {
        if (!seen[i]) errors.push_back({0, "screen " + std::to_string(i + 1) + " is missing"});
    }
    return level;
}

// The level map text: the level count, then 400 values per level, every line ending in CR LF.
inline std::string FormatLevelMap(const std::vector<Level>& levels) {
    std::string out = std::to_string(levels.size()) + "\r\n";
    for (const Level& level : levels) {
        for (const Screen& screen : level.screens) {
            for (const Block& b : screen.blocks) {
                for (int v : {b.left, b.top, b.width, b.height}) out += std::to_string(v) + "\r\n";
            }
        }
    }
    return out;
}

}  // namespace kelto::levels
