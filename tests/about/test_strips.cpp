#include <gtest/gtest.h>

#include "about/strips.h"
#include "platform/runtime.h"

namespace kelto {
namespace {

TEST(AboutStrips, WeekdayNamesFollowTheCalendar) {
    struct Case {
        DateTime date;
        const char* name;
    };
    const Case cases[] = {
        {{2024, 3, 3}, "воскресенье"}, {{2024, 3, 4}, "понедельник"}, {{2024, 3, 5}, "вторник"},
        {{2024, 3, 6}, "среда"},       {{2024, 3, 7}, "четверг"},     {{2024, 3, 8}, "пятница"},
        {{2024, 3, 9}, "суббота"},     {{2026, 2, 1}, "воскресенье"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(WeekdayName(c.date.weekday()), c.name);
    }
}

TEST(AboutStrips, TextsReadDownwardsOneCharacterALine) {
    struct Case {
        std::string text, downwards;
    };
    const Case cases[] = {
        {"среда", "с\r\nр\r\nе\r\nд\r\nа\r\n"},
        {DayMonthYear(5, 3, 2024), "5\r\n \r\n3\r\n \r\n2\r\n0\r\n2\r\n4\r\n"},
        {DayMonthYear(31, 12, 2025), "3\r\n1\r\n \r\n1\r\n2\r\n \r\n2\r\n0\r\n2\r\n5\r\n"},
        {"", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(ReadDownwards(c.text), c.downwards);
    }
}

}  // namespace
}  // namespace kelto
