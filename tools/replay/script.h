#pragma once
// The kelto-replay script language: one command a line, '#' starts a comment.
#include <string>
#include <vector>

namespace kelto::replay {

struct Command {
    int line = 0;                   // 1-based line in the script
    std::string verb;               // wait, ticks, keydown, ...
    std::vector<std::string> args;  // words after the verb; for set, the value is the last one
};

struct ParseError {
    int line;
    std::string message;
};

// Parses a whole script; throws ParseError on an unknown command or malformed arguments.
std::vector<Command> ParseScript(const std::string& text);

// Splits "Name" or "Name(3)" into the name and the index (-1 when none). False when malformed.
bool SplitIndexed(const std::string& word, std::string& name, int& index);

}  // namespace kelto::replay
