// The level tool's pure pieces: the source format, the map it becomes, and the checks made
// without playing.
#include <gtest/gtest.h>

#include "game/level_map.h"
#include "platform/files.h"
#include "tools/levels/level_check.h"
#include "tools/levels/level_source.h"

namespace kelto::levels {
namespace {

std::string Screens(const std::string& first) {
    std::string s = "screen 1\n" + first;
    for (int i = 2; i <= 10; ++i) s += "screen " + std::to_string(i) + "\n0 4380 8000 915\n";
    return s;
}

TEST(LevelSource, BuildsTheMapTheGameReads) {
    std::vector<SourceError> errors;
    const Level level = ParseLevelSource(
        Screens("# the start\n  1200 3000 555 375   # block 1\n4200 180 435 3135\n\n"), errors);
    ASSERT_TRUE(errors.empty());
    const std::string text = FormatLevelMap({level, level});

    EXPECT_EQ(text.substr(0, 12), "2\r\n1200\r\n300");
    const std::vector<std::string> lines = SplitLines(text);
    ASSERT_EQ(lines.size(), 801u);
    LevelMapData map;
    ASSERT_EQ(ReadLevelMapLines(lines, map).badLine, 0);
    EXPECT_EQ(map.LevelCount, 2);
    EXPECT_EQ(MapBlock(map, 2, 1, 1), kLayoutBlock1);
    EXPECT_EQ(MapBlock(map, 1, 1, 2), kLayoutBlock2);
    EXPECT_EQ(MapBlock(map, 1, 1, 3), Block{});  // blocks not listed have no size
    EXPECT_EQ(MapBlock(map, 1, 10, 1), (Block{0, 4380, 8000, 915}));
}

std::string ElevenBlocks() {
    std::string s;
    for (int i = 0; i < 11; ++i) s += "1 1 1 1\n";
    return s;
}

TEST(LevelSource, ReportsEachBadLine) {
    struct Case {
        std::string text;
        int line;
        std::string message;
    };
    const Case cases[] = {
        {Screens("1 2 3\n"), 2, "expected a block"},
        {Screens("1 2 3 x\n"), 2, "expected a block"},
        {Screens("0 0 -5 10\n"), 2, "sizes not negative"},
        {Screens("0 0 40000 10\n"), 2, "-32768..32767"},
        {"1 2 3 4\n" + Screens(""), 1, "before the first"},
        {Screens("") + "screen 11\n", 20, "from 1 to 10"},
        {Screens("") + "screen 3\n", 20, "given twice"},
        {Screens(ElevenBlocks()), 12, "more than 10 blocks"},
        {"screen 1\n", 0, "screen 2 is missing"},
    };
    for (const Case& c : cases) {
        std::vector<SourceError> errors;
        ParseLevelSource(c.text, errors);
        ASSERT_FALSE(errors.empty()) << c.text;
        EXPECT_EQ(errors[0].line, c.line) << c.text;
        EXPECT_NE(errors[0].message.find(c.message), std::string::npos) << errors[0].message;
    }
}

TEST(LevelCheck, ReportsEveryRefusedLine) {
    std::vector<SourceError> errors;
    std::vector<std::string> lines =
        SplitLines(FormatLevelMap({ParseLevelSource(Screens(""), errors)}));
    lines[5] = "12a";      // line 6
    lines[300] = "99999";  // line 301
    lines[399] = "-1";     // line 400: a Width
    lines.pop_back();
    LevelMapData map;
    const std::vector<Finding> found = CheckMapLines(lines, map);
    ASSERT_EQ(found.size(), 4u);
    EXPECT_NE(found[0].text.find("line 6 "), std::string::npos);
    EXPECT_NE(found[1].text.find("line 301 "), std::string::npos);
    EXPECT_NE(found[2].text.find("line 400 "), std::string::npos);
    EXPECT_NE(found[3].text.find("has 400 lines"), std::string::npos);
    for (const Finding& f : found) EXPECT_TRUE(f.error);
}

TEST(LevelCheck, WarnsAboutDoubtfulGeometry) {
    std::vector<SourceError> errors;
    Level level = ParseLevelSource(Screens("1200 3000 555 375\n4200 180 435 3135\n"), errors);
    level.screens[1].blocks[1] = {7800, 4000, 400, 200};   // reaches past the right edge
    level.screens[2].blocks[1] = {100, 4000, 400, 600};    // overlaps the floor
    level.screens[3].blocks[0] = {1000, 4380, 7000, 915};  // nothing at the left edge
    LevelMapData map;
    ASSERT_TRUE(CheckMapLines(SplitLines(FormatLevelMap({level})), map).empty());
    const std::vector<Finding> found = CheckMapGeometry(map);
    std::vector<std::string> texts;
    for (const Finding& f : found) {
        EXPECT_FALSE(f.error);
        texts.push_back(f.text);
    }
    EXPECT_EQ(texts, (std::vector<std::string>{
                         "level 1 screen 2 block 2 reaches outside the field (8000 x 5295)",
                         "level 1 screen 3 block 1 overlaps block 2",
                         "level 1 screen 4 has no block at its left edge to walk in on",
                     }));
}

}  // namespace
}  // namespace kelto::levels
