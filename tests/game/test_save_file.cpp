#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "game/save_file.h"

namespace kelto {
namespace {

// Splits file text at CR LF the way the file reader hands lines over.
std::vector<std::string> SplitLines(const std::string& text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t end = text.find("\r\n", start);
        if (end == std::string::npos) {
            lines.push_back(text.substr(start));
            break;
        }
        lines.push_back(text.substr(start, end - start));
        start = end + 2;
    }
    return lines;
}

TEST(SaveFile, FormatsExactBytes) {
    EXPECT_EQ(FormatSave({3, 1, 480, 3420}), "#!\r\n480\r\n3420\r\n");
    EXPECT_EQ(FormatSave({10, 3, -340, 0}), "*#\r\n-340\r\n0\r\n");
    EXPECT_EQ(FormatSave({0, 20, 7.5f, -0.0f}), " 4\r\n7.5\r\n0\r\n");
}

TEST(SaveFile, FormatSingleWritesWholeNumbersAsDigits) {
    struct Case {
        float value;
        const char* text;
    };
    const Case cases[] = {
        {480, "480"},  {-340, "-340"},         {0, "0"},          {-0.0f, "0"}, {12.5f, "12.5"},
        {0.1f, "0.1"}, {1e10f, "10000000000"}, {-7.25f, "-7.25"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(FormatSingle(c.value), c.text) << c.value;
    }
}

TEST(SaveFile, RoundTrips) {
    const SaveState states[] = {
        {3, 1, 480, 3420},
        {10, 3, -340, 1200},
        {0, 1, 7620, -15},
        {1, 20, 0.1f, 123.456f},
    };
    for (const SaveState& s : states) {
        const std::optional<SaveState> back = ParseSave(SplitLines(FormatSave(s)));
        ASSERT_TRUE(back.has_value()) << FormatSave(s);
        EXPECT_EQ(back->screen, s.screen);
        EXPECT_EQ(back->level, s.level);
        EXPECT_EQ(back->left, s.left);
        EXPECT_EQ(back->top, s.top);
    }
}

TEST(SaveFile, AcceptsBlanksAndIgnoresWhatFollows) {
    const std::optional<SaveState> s =
        ParseSave({"*#junk", "  -340 ", "\t12.5", "extra line", "another"});
    ASSERT_TRUE(s.has_value());
    EXPECT_EQ(s->screen, 10);
    EXPECT_EQ(s->level, 3);
    EXPECT_EQ(s->left, -340);
    EXPECT_EQ(s->top, 12.5f);
}

TEST(SaveFile, RefusesBadInput) {
    const std::vector<std::vector<std::string>> cases = {
        {},
        {"#!", "480"},
        {"#", "480", "3420"},
        {"", "480", "3420"},
        {"#!", "", "3420"},
        {"#!", "480", "   "},
        {"#!", "abc", "3420"},
        {"#!", "480x", "3420"},
        {"#!", "4 80", "3420"},
        {"#!", "1e3", "3420"},
        {"#!", "12.", "3420"},
        {"#!", "-", "3420"},
        {"#!", "480", "--3"},
        {"+!", "480", "3420"},     // screen 11
        {"\x1f!", "480", "3420"},  // screen -1
        {"# ", "480", "3420"},     // level 0
        {"#5", "480", "3420"},     // level 21
    };
    for (const auto& lines : cases) {
        std::string shown;
        for (const std::string& line : lines) shown += "[" + line + "]";
        EXPECT_FALSE(ParseSave(lines).has_value()) << shown;
    }
}

}  // namespace
}  // namespace kelto
