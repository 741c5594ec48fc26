#include "game/save_file.h"

#include <cstddef>
#include <string_view>

#include "platform/number_text.h"

namespace kelto {

namespace {

constexpr int kCodeOffset = 32;

std::string_view TrimBlanks(std::string_view text) {
    const std::size_t first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos) return {};
    const std::size_t last = text.find_last_not_of(" \t");
    return text.substr(first, last - first + 1);
}

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// A plain decimal: optional '-', digits, optionally '.' and more digits.
std::optional<float> ParseDecimal(std::string_view line) {
    const std::string_view text = TrimBlanks(line);
    std::size_t i = 0;
    if (i < text.size() && text[i] == '-') ++i;
    const std::size_t intStart = i;
    while (i < text.size() && IsDigit(text[i])) ++i;
    if (i == intStart) return std::nullopt;
    if (i < text.size() && text[i] == '.') {
        ++i;
        const std::size_t fracStart = i;
        while (i < text.size() && IsDigit(text[i])) ++i;
        if (i == fracStart) return std::nullopt;
    }
    if (i != text.size()) return std::nullopt;

    return ParseFixed(text);
}

}  // namespace

std::string FormatSingle(float v) {
    if (v == 0.0f) return "0";  // also -0
    return ShortestFixedText(v);
}

std::string FormatSave(const SaveState& s) {
    std::string text;
    text += static_cast<char>(static_cast<unsigned char>(s.screen + kCodeOffset));
    text += static_cast<char>(static_cast<unsigned char>(s.level + kCodeOffset));
    text += "\r\n";
    text += FormatSingle(s.left);
    text += "\r\n";
    text += FormatSingle(s.top);
    text += "\r\n";
    return text;
}

std::optional<SaveState> ParseSave(const std::vector<std::string>& lines) {
    if (lines.size() < 3) return std::nullopt;
    const std::string& codes = lines[0];
    if (codes.size() < 2) return std::nullopt;
    const int screen = static_cast<unsigned char>(codes[0]) - kCodeOffset;
    const int level = static_cast<unsigned char>(codes[1]) - kCodeOffset;
    if (screen < 0 || screen > 10 || level < 1 || level > 20) return std::nullopt;

    const std::optional<float> left = ParseDecimal(lines[1]);
    const std::optional<float> top = ParseDecimal(lines[2]);
    if (!left || !top) return std::nullopt;
    return SaveState{static_cast<int16_t>(screen), static_cast<int16_t>(level), *left, *top};
}

}  // namespace kelto
