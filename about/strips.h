// Texts of the About window's two hidden vertical strips.
#pragma once

#include <string>

namespace kelto {

// Full Russian name of a weekday; weekday 1 = Sunday .. 7 = Saturday, as DateTime::weekday().
std::string WeekdayName(int weekday);

// The text read downwards: every character (UTF-8 code point) followed by "\r\n", so a blank
// becomes an empty line.
std::string ReadDownwards(const std::string& text);

// Day, month and four-digit year in plain decimal, separated by blanks: "5 3 2024".
std::string DayMonthYear(int day, int month, int year);

}  // namespace kelto
