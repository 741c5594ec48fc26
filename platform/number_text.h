#pragma once
// Numbers to and from text: the shortest decimal that reads back to the same value, and the
// plain decimal reading. The standard library's floating-point to_chars/from_chars where it has
// them; a portable equivalent where it does not (the WebAssembly build's C++ library).
#include <optional>
#include <string>
#include <string_view>

namespace kelto {

// Shortest form, fixed or scientific whichever is shorter: 1.5, 1e+20, 1.25e-07.
std::string ShortestText(double v);
// Shortest digits that read back to the same single, always written without an exponent.
std::string ShortestFixedText(float v);
// A whole text read as a number in the general or the fixed format (no leading space or '+').
std::optional<double> ParseGeneral(std::string_view text);
std::optional<float> ParseFixed(std::string_view text);

// The portable equivalents, always built so that they can be checked against the library's.
namespace portable {
std::string ShortestText(double v);
std::string ShortestFixedText(float v);
std::optional<double> ParseGeneral(std::string_view text);
std::optional<float> ParseFixed(std::string_view text);
}  // namespace portable

}  // namespace kelto
