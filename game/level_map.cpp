#include "game/level_map.h"

#include <cstddef>
#include <optional>

namespace kelto {

namespace {

constexpr int kMaxLevels = 20;
constexpr int kScreens = 10;
constexpr int kBlocks = 10;
constexpr int kFields = 4;

// A plain whole number: an optional '-' and at least one digit, nothing else (no blanks, no '+').
// Values beyond [lo, hi] are refused.
std::optional<long> ParseWhole(const std::string& text, long lo, long hi) {
    std::size_t i = 0;
    bool negative = false;
    if (i < text.size() && text[i] == '-') {
        negative = true;
        ++i;
    }
    if (i == text.size()) return std::nullopt;
    long value = 0;
    for (; i < text.size(); ++i) {
        const char c = text[i];
        if (c < '0' || c > '9') return std::nullopt;
        value = value * 10 + (c - '0');
        if (value > 100000) value = 100000;  // far beyond any accepted range; keeps it from growing
    }
    if (negative) value = -value;
    if (value < lo || value > hi) return std::nullopt;
    return value;
}

struct PendingValue {
    int level, screen, block, field;
    int16_t value;
};

}  // namespace

LevelMapRead ReadLevelMapLines(const std::vector<std::string>& lines, LevelMapData& map) {
    LevelMapRead result;
    if (lines.empty()) {
        result.badLine = 1;
        return result;
    }

    const std::optional<long> count = ParseWhole(lines[0], 0, kMaxLevels);
    if (!count) {
        result.badLine = 1;
        return result;
    }
    const int levelCount = static_cast<int>(*count);

    // Walk the counters over every value line first; the map is written only once the whole file
    // has been accepted.
    std::vector<PendingValue> pending;
    pending.reserve(lines.size() - 1);
    int level = 1, screen = 1, block = 1, field = 0;
    for (std::size_t n = 1; n < lines.size(); ++n) {
        const int lineNumber = static_cast<int>(n) + 1;
        field = field + 1;
        if (field > kFields) {
            field = 1;
            block = block + 1;
            if (block > kBlocks) {
                block = 1;
                screen = screen + 1;
                if (screen > kScreens) {
                    screen = 1;
                    level = level + 1;
                    if (level > kMaxLevels) {
                        result.badLine = lineNumber;
                        result.extraLevels.clear();
                        return result;
                    }
                    if (level > levelCount) result.extraLevels.push_back(level);
                }
            }
        }
        const std::optional<long> value = ParseWhole(lines[n], -32768, 32767);
        if (!value || (field >= 3 && *value < 0)) {
            result.badLine = lineNumber;
            result.extraLevels.clear();
            return result;
        }
        pending.push_back({level, screen, block, field, static_cast<int16_t>(*value)});
    }

    map.LevelCount = static_cast<uint8_t>(levelCount);
    for (const PendingValue& p : pending) {
        map.LevelMap[p.level][p.screen][p.block][p.field] = p.value;
    }
    return result;
}

}  // namespace kelto
