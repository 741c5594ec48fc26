#include "platform/number_text.h"

#include <cerrno>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

// libstdc++ announces floating-point to_chars and from_chars with this macro; the libc++ of
// the WebAssembly tool chain has neither.
#if defined(__cpp_lib_to_chars) && __cpp_lib_to_chars >= 201611L
#define KELTO_FLOAT_CHARCONV 1
#else
#define KELTO_FLOAT_CHARCONV 0
#endif

namespace kelto {
namespace portable {
namespace {

// The significant digits and the decimal exponent of the shortest text that reads back to v:
// v = 0.d1d2d3... x 10^(exponent + 1), that is d1.d2d3... x 10^exponent.
struct Digits {
    std::string digits;
    int exponent = 0;
};

template <typename T>
T ReadBack(const char* text);
template <>
double ReadBack<double>(const char* text) {
    return std::strtod(text, nullptr);
}
template <>
float ReadBack<float>(const char* text) {
    return std::strtof(text, nullptr);
}

template <typename T>
Digits Shortest(T v) {
    char buf[64];
    for (int precision = 0; precision <= 17; ++precision) {
        std::snprintf(buf, sizeof buf, "%.*e", precision, static_cast<double>(v));
        if (ReadBack<T>(buf) == v) break;
    }
    // buf: [-]d[.ddd]e(+|-)xx
    Digits d;
    const char* p = buf;
    if (*p == '-') ++p;
    for (; *p != 'e'; ++p) {
        if (*p != '.') d.digits += *p;
    }
    d.exponent = std::atoi(p + 1);
    while (d.digits.size() > 1 && d.digits.back() == '0') d.digits.pop_back();
    return d;
}

// Without an exponent. A whole number longer than its shortest digits is written exactly, as
// every digit string of that length is as short.
std::string Fixed(const Digits& d, double v) {
    const int n = static_cast<int>(d.digits.size());
    if (d.exponent < 0) return "0." + std::string(-d.exponent - 1, '0') + d.digits;
    if (d.exponent + 1 == n) return d.digits;
    if (d.exponent + 1 > n) {
        char buf[400];
        std::snprintf(buf, sizeof buf, "%.0f", std::fabs(v));
        return buf;
    }
    return d.digits.substr(0, d.exponent + 1) + "." + d.digits.substr(d.exponent + 1);
}

std::string Scientific(const Digits& d) {
    std::string s = d.digits.substr(0, 1);
    if (d.digits.size() > 1) s += "." + d.digits.substr(1);
    char exp[16];
    std::snprintf(exp, sizeof exp, "e%c%02d", d.exponent < 0 ? '-' : '+', std::abs(d.exponent));
    return s + exp;
}

std::string Special(double v) {
    if (std::isnan(v)) return std::signbit(v) ? "-nan" : "nan";
    return v < 0 ? "-inf" : "inf";
}

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// Length of the longest prefix of `text` that is a decimal number: digits with an optional
// point, at least one digit, then (when allowed) an exponent.
size_t NumberLength(std::string_view text, bool exponent) {
    size_t i = 0, digits = 0;
    while (i < text.size() && IsDigit(text[i])) ++i, ++digits;
    if (i < text.size() && text[i] == '.') {
        ++i;
        while (i < text.size() && IsDigit(text[i])) ++i, ++digits;
    }
    if (digits == 0) return 0;
    if (exponent && i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        size_t j = i + 1;
        if (j < text.size() && (text[j] == '+' || text[j] == '-')) ++j;
        const size_t start = j;
        while (j < text.size() && IsDigit(text[j])) ++j;
        if (j > start) i = j;
    }
    return i;
}

bool EqualsNoCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i) {
        const char c = a[i] >= 'A' && a[i] <= 'Z' ? static_cast<char>(a[i] - 'A' + 'a') : a[i];
        if (c != b[i]) return false;
    }
    return true;
}

template <typename T>
std::optional<T> Parse(std::string_view text, bool general) {
    std::string_view body = text;
    const bool negative = !body.empty() && body[0] == '-';
    if (negative) body.remove_prefix(1);
    if (EqualsNoCase(body, "inf") || EqualsNoCase(body, "infinity"))
        return static_cast<T>(negative ? -HUGE_VAL : HUGE_VAL);
    if (EqualsNoCase(body, "nan")) return static_cast<T>(negative ? -NAN : NAN);
    if (body.empty() || NumberLength(body, general) != body.size()) return std::nullopt;
    const std::string copy(text);
    errno = 0;
    const T v = ReadBack<T>(copy.c_str());
    if (errno == ERANGE) return std::nullopt;
    return v;
}

}  // namespace

std::string ShortestText(double v) {
    if (!std::isfinite(v)) return Special(v);
    const std::string sign = std::signbit(v) ? "-" : "";
    if (v == 0) return sign + "0";
    const Digits d = Shortest(v);
    const std::string fixed = Fixed(d, v), scientific = Scientific(d);
    return sign + (scientific.size() < fixed.size() ? scientific : fixed);
}

std::string ShortestFixedText(float v) {
    if (!std::isfinite(v)) return Special(v);
    const std::string sign = std::signbit(v) ? "-" : "";
    if (v == 0) return sign + "0";
    return sign + Fixed(Shortest(v), v);
}

std::optional<double> ParseGeneral(std::string_view text) {
    return Parse<double>(text, true);
}

std::optional<float> ParseFixed(std::string_view text) {
    return Parse<float>(text, false);
}

}  // namespace portable

#if KELTO_FLOAT_CHARCONV

std::string ShortestText(double v) {
    char buf[64];
    const auto res = std::to_chars(buf, buf + sizeof buf, v);
    return std::string(buf, res.ptr);
}

std::string ShortestFixedText(float v) {
    char buf[64];
    const auto res = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::fixed);
    return std::string(buf, res.ptr);
}

std::optional<double> ParseGeneral(std::string_view text) {
    double v = 0;
    const auto r = std::from_chars(text.data(), text.data() + text.size(), v);
    if (r.ec != std::errc() || r.ptr != text.data() + text.size()) return std::nullopt;
    return v;
}

std::optional<float> ParseFixed(std::string_view text) {
    float v = 0;
    const auto r =
        std::from_chars(text.data(), text.data() + text.size(), v, std::chars_format::fixed);
    if (r.ec != std::errc() || r.ptr != text.data() + text.size()) return std::nullopt;
    return v;
}

#else

std::string ShortestText(double v) {
    return portable::ShortestText(v);
}
std::string ShortestFixedText(float v) {
    return portable::ShortestFixedText(v);
}
std::optional<double> ParseGeneral(std::string_view text) {
    return portable::ParseGeneral(text);
}
std::optional<float> ParseFixed(std::string_view text) {
    return portable::ParseFixed(text);
}

#endif

}  // namespace kelto
