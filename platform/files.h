#pragma once
// Files as the game sees them: the program folder, the file lookup, whole-file reads and
// replacing writes that never leave a half-written file behind.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kelto {

// Folder of the executable, without a trailing separator.
const std::string& ProgramFolder();
void SetProgramFolder(std::string folder);

// Program folder + "/Data/" + name.
std::string DataPath(std::string_view name);
// A path as shown in logs: relative to the program folder when it lies inside it.
std::string ShownPath(const std::string& path);

// The file lookup: true only for an existing normal file (not a folder).
bool FileExists(const std::string& path);

// Whole file, or nothing when it cannot be read (missing, a folder, unreadable, over limit).
std::optional<std::string> ReadFile(const std::string& path, size_t limit = 64u << 20);

// Splits 8-bit text into lines ending in CR LF or LF; a last line without an end counts.
std::vector<std::string> SplitLines(std::string_view text);

// Writes a file as a whole: into a temporary file beside it, flushed to disk, then renamed
// over the old one. On any failure the old file is left as it was and false is returned.
bool WriteFileReplacing(const std::string& path, std::string_view content);

// Test-only switch to make WriteFileReplacing fail at a chosen step.
enum class WriteFault { None, AfterPartialWrite, AtRename };
void InjectWriteFault(WriteFault fault);

}  // namespace kelto
