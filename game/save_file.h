// The one save slot "Kelto.sav": screen and level as two character codes, then the hero's Left and
// Top as text, one item a line.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace kelto {

struct SaveState {
    int16_t screen;
    int16_t level;
    float left;
    float top;
};

// The exact file bytes: chr(screen + 32) chr(level + 32) CR LF left CR LF top CR LF.
std::string FormatSave(const SaveState& s);

// Reads the save file's lines (without their line ends). Refused (nullopt): fewer than 3 lines; a
// first line shorter than two characters; a second or third line that is not a plain decimal
// number (surrounding blanks allowed); a screen outside 0..10 or a level outside 1..20. Characters
// after the first two of line 1 and lines after the third are ignored.
std::optional<SaveState> ParseSave(const std::vector<std::string>& lines);

// The game's number-to-text: a whole number as its digits, with '-' when negative; otherwise the
// shortest decimal that reads back as the same float, with '.' as the separator.
std::string FormatSingle(float v);

}  // namespace kelto
