#pragma once
#include <ostream>
#include <string>

namespace kelto::replay {

// Runs the whole program headless from its start, following the script. Returns the exit code:
// 0 when the script ran to its end (or the program ended), 1 on a script error.
int RunReplay(const std::string& scriptText, std::ostream& out, std::ostream& err);

}  // namespace kelto::replay
