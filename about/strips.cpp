#include "about/strips.h"

namespace kelto {

std::string WeekdayName(int weekday) {
    // The name is looked up with the same first day of the week as the day number is counted
    // with, so the Russian week starting on Monday and a Sunday-first count name the same day.
    // Indexed here as DateTime counts, from Sunday.
    static const char* const kNames[7] = {"воскресенье", "понедельник", "вторник", "среда",
                                          "четверг",     "пятница",     "суббота"};
    if (weekday < 1 || weekday > 7) return {};
    return kNames[weekday - 1];
}

std::string ReadDownwards(const std::string& text) {
    std::string out;
    for (size_t i = 0; i < text.size();) {
        size_t n = 1;
        const auto lead = static_cast<unsigned char>(text[i]);
        if (lead >= 0xF0) {
            n = 4;
        } else if (lead >= 0xE0) {
            n = 3;
        } else if (lead >= 0xC0) {
            n = 2;
        }
        out += text.substr(i, n);
        out += "\r\n";
        i += n;
    }
    return out;
}

std::string DayMonthYear(int day, int month, int year) {
    return std::to_string(day) + " " + std::to_string(month) + " " + std::to_string(year);
}

}  // namespace kelto
