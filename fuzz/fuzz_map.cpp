// The level map reader on any text: it accepts a map whole or refuses it whole.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string_view>

#include "game/level_map.h"
#include "platform/files.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace kelto;
    const auto lines = SplitLines(std::string_view(reinterpret_cast<const char*>(data), size));
    // The map of an earlier load: a refused file must leave it exactly as it was.
    static const auto before = [] {
        auto m = std::make_unique<LevelMapData>();
        for (int l = 0; l < 21; ++l)
            for (int s = 0; s < 11; ++s)
                for (int b = 0; b < 11; ++b)
                    for (int f = 0; f < 5; ++f) m->LevelMap[l][s][b][f] = int16_t(l + s + b + f);
        m->LevelCount = 7;
        return m;
    }();
    auto map = std::make_unique<LevelMapData>(*before);
    const LevelMapRead read = ReadLevelMapLines(lines, *map);
    if (read.badLine != 0) {
        if (read.badLine < 1 || static_cast<size_t>(read.badLine) > lines.size() + 1) std::abort();
        if (std::memcmp(map.get(), before.get(), sizeof(LevelMapData)) != 0) std::abort();
        return 0;
    }
    if (lines.empty() || map->LevelCount > 20) std::abort();
    for (int level : read.extraLevels) {
        if (level <= map->LevelCount || level > 20) std::abort();
    }
    for (int l = 1; l <= 20; ++l)
        for (int s = 1; s <= 10; ++s)
            for (int b = 1; b <= 10; ++b)
                if (map->LevelMap[l][s][b][3] < 0 || map->LevelMap[l][s][b][4] < 0) std::abort();
    return 0;
}
