// The kelto-replay script parser on any text: a script is either parsed or refused with the
// number of a line it holds.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "tools/replay/script.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace kelto::replay;
    const std::string text(reinterpret_cast<const char*>(data), size);
    try {
        for (const Command& c : ParseScript(text)) {
            if (c.line < 1 || c.verb.empty()) std::abort();
            for (const std::string& word : c.args) {
                std::string name;
                int index;
                if (SplitIndexed(word, name, index) && index < -1) std::abort();
            }
        }
    } catch (const ParseError& e) {
        if (e.line < 1 || e.message.empty()) std::abort();
    }
    return 0;
}
