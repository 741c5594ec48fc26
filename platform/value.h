#pragma once
// A small dynamically typed value: what scripts and the replay tool read and write through
// property names.
#include <cstdint>
#include <string>
#include <variant>

namespace kelto {

using Value = std::variant<double, bool, std::string>;

// Shortest decimal form that reads back to the same number: 480, -340, 1.5, 15.625.
std::string FormatNumber(double v);
// Numbers as above, Booleans as True/False, texts quoted with \r \n \" \\ escaped.
std::string FormatValue(const Value& v);

double AsNumber(const Value& v);
bool AsBool(const Value& v);
std::string AsText(const Value& v);

}  // namespace kelto
