#pragma once
// Checks of a level map that need no play: lines the game's reader refuses, missing or extra
// levels, blocks outside the field, overlapping blocks, screen 1 of level 1 against the window
// layout, and screens with nothing to walk in on at their left edge.
#include <string>
#include <vector>

#include "game/level_map.h"
#include "tools/levels/level_source.h"

namespace kelto::levels {

struct Finding {
    bool error;  // errors make the map unusable; warnings point at doubtful designs
    std::string text;
};

// Blocks 1 and 2 of level 1, screen 1 as the game window's layout places them for a new game.
constexpr Block kLayoutBlock1{1200, 3000, 555, 375};
constexpr Block kLayoutBlock2{4200, 180, 435, 3135};
constexpr int kHeroWidth = 375;

inline Block MapBlock(const LevelMapData& map, int level, int screen, int block) {
    const auto& f = map.LevelMap[level][screen][block];
    return {f[1], f[2], f[3], f[4]};
}

// Every line the game's reader refuses. The reader stops at the first; each refused line is
// then replaced by a harmless 0 and the file read again, until it is accepted.
inline std::vector<Finding> CheckMapLines(std::vector<std::string> lines, LevelMapData& map) {
    std::vector<Finding> out;
    for (;;) {
        LevelMapRead read = ReadLevelMapLines(lines, map);
        if (read.badLine == 0) {
            for (int level : read.extraLevels) {
                out.push_back({true, "level " + std::to_string(level) +
                                         " lies beyond the level count of line 1 (the game shows "
                                         "\"ошибка\")"});
            }
            break;
        }
        const std::size_t i = static_cast<std::size_t>(read.badLine - 1);
        const std::string text = i < lines.size() ? lines[i] : "";
        out.push_back({true, "line " + std::to_string(read.badLine) + " refused by the game: \"" +
                                 text + "\""});
        if (read.badLine == 1 || text == "0") return out;  // nothing more can be read
        lines[i] = "0";
    }
    const std::size_t want = 1 + 400u * map.LevelCount;
    if (lines.size() < want) {
        out.push_back({true, "the map has " + std::to_string(lines.size()) + " lines; " +
                                 std::to_string(map.LevelCount) + " levels need " +
                                 std::to_string(want)});
    }
    return out;
}

// Geometry of every declared level.
inline std::vector<Finding> CheckMapGeometry(const LevelMapData& map) {
    std::vector<Finding> out;
    for (int level = 1; level <= map.LevelCount; ++level) {
        for (int screen = 1; screen <= kScreens; ++screen) {
            const std::string where =
                "level " + std::to_string(level) + " screen " + std::to_string(screen);
            bool leftEdgeFloor = false;
            for (int i = 1; i <= kBlocks; ++i) {
                const Block a = MapBlock(map, level, screen, i);
                if (!a.used()) continue;
                const std::string name = where + " block " + std::to_string(i);
                if (a.left < 0 || a.top < 0 || a.right() > kFieldWidth ||
                    a.bottom() > kFieldHeight) {
                    out.push_back({false, name + " reaches outside the field (8000 x 5295)"});
                }
                if (a.left <= kHeroWidth && a.right() >= 0) leftEdgeFloor = true;
                for (int j = i + 1; j <= kBlocks; ++j) {
                    const Block b = MapBlock(map, level, screen, j);
                    if (!b.used()) continue;
                    if (a.left < b.right() && b.left < a.right() && a.top < b.bottom() &&
                        b.top < a.bottom()) {
                        out.push_back({false, name + " overlaps block " + std::to_string(j)});
                    }
                }
            }
            if (screen > 1 && !leftEdgeFloor) {
                out.push_back({false, where + " has no block at its left edge to walk in on"});
            }
        }
    }
    if (map.LevelCount >= 1) {
        if (MapBlock(map, 1, 1, 1) != kLayoutBlock1 || MapBlock(map, 1, 1, 2) != kLayoutBlock2) {
            out.push_back({false,
                           "level 1 screen 1: blocks 1 and 2 differ from the window layout "
                           "(1200 3000 555 375 and 4200 180 435 3135), so a new game and a "
                           "revisit look different"});
        }
    }
    return out;
}

}  // namespace kelto::levels
