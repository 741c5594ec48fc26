// The save-file reader on any bytes: whatever it accepts is in range and survives being written
// and read back.
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "game/save_file.h"
#include "platform/files.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace kelto;
    const auto save =
        ParseSave(SplitLines(std::string_view(reinterpret_cast<const char*>(data), size)));
    if (!save) return 0;
    if (save->screen < 0 || save->screen > 10 || save->level < 1 || save->level > 20) std::abort();
    if (!std::isfinite(save->left) || !std::isfinite(save->top)) std::abort();
    const auto again = ParseSave(SplitLines(FormatSave(*save)));
    if (!again || again->screen != save->screen || again->level != save->level ||
        again->left != save->left || again->top != save->top)
        std::abort();
    return 0;
}
