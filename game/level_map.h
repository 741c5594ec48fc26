// Level map of the game window: the block geometry of every level, screen and block, read from
// the text of "Map.res" (one whole number a line).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace kelto {

// The game window keeps one of these for the whole run.
struct LevelMapData {
    uint8_t LevelCount = 0;
    // [level][screen][block][field]; field 1..4 = Left, Top, Width, Height. Index 0 of level,
    // screen, block and field is never written.
    int16_t LevelMap[21][11][11][5] = {};
};

struct LevelMapRead {
    int badLine = 0;  // 0 = accepted; else the 1-based line number that refused the map
    std::vector<int> extraLevels;  // each level beyond LevelCount that the reader entered, in order
                                   // ("ошибка" is shown once per entry)
};

// Reads the map text (lines already split, without their line ends; a file that ends in a line end
// gives no empty last line). On refusal `map` is left untouched (never partly filled). On success
// LevelCount is set and every value line stored; entries the file does not reach keep the value
// they had.
//
// Refused: an empty file (badLine 1); a line that is not a plain whole number (optional '-', then
// digits, nothing else); a first line above 20; a value line outside -32768..32767; a value line
// that would go to level 21; a negative Width or Height.
LevelMapRead ReadLevelMapLines(const std::vector<std::string>& lines, LevelMapData& map);

}  // namespace kelto
