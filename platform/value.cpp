#include "platform/value.h"

#include <cmath>

#include "platform/number_text.h"

namespace kelto {

std::string FormatNumber(double v) {
    if (v == 0) return "0";
    if (std::isfinite(v) && std::fabs(v) < 1e15 && v == std::floor(v)) {
        return std::to_string(static_cast<long long>(v));
    }
    return ShortestText(v);
}

std::string FormatValue(const Value& v) {
    if (auto* d = std::get_if<double>(&v)) return FormatNumber(*d);
    if (auto* b = std::get_if<bool>(&v)) return *b ? "True" : "False";
    std::string out = "\"";
    for (char c : std::get<std::string>(v)) {
        switch (c) {
            case '\r':
                out += "\\r";
                break;
            case '\n':
                out += "\\n";
                break;
            case '"':
                out += "\\\"";
                break;
            case '\\':
                out += "\\\\";
                break;
            default:
                out += c;
        }
    }
    return out + "\"";
}

double AsNumber(const Value& v) {
    if (auto* d = std::get_if<double>(&v)) return *d;
    if (auto* b = std::get_if<bool>(&v)) return *b ? -1 : 0;
    return std::stod(std::get<std::string>(v));
}

bool AsBool(const Value& v) {
    if (auto* b = std::get_if<bool>(&v)) return *b;
    return AsNumber(v) != 0;
}

std::string AsText(const Value& v) {
    if (auto* s = std::get_if<std::string>(&v)) return *s;
    return FormatValue(v);
}

}  // namespace kelto
