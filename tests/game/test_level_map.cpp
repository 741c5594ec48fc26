#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "game/level_map.h"

namespace kelto {
namespace {

// A map file with the given first line and value lines 2..lastLine, each holding its own line
// number, so every entry tells which line it came from.
std::vector<std::string> NumberedMap(const std::string& count, int lastLine) {
    std::vector<std::string> lines{count};
    for (int line = 2; line <= lastLine; ++line) lines.push_back(std::to_string(line));
    return lines;
}

// A map whose every entry (index 0 included) and level count hold the same marker value.
std::unique_ptr<LevelMapData> FilledMap(int16_t marker) {
    auto map = std::make_unique<LevelMapData>();
    map->LevelCount = 9;
    for (auto& level : map->LevelMap)
        for (auto& screen : level)
            for (auto& block : screen)
                for (int16_t& value : block) value = marker;
    return map;
}

int LineOf(int level, int screen, int block, int field) {
    return 2 + (level - 1) * 400 + (screen - 1) * 40 + (block - 1) * 4 + (field - 1);
}

TEST(LevelMap, ValueLinesLandInOrder) {
    struct Case {
        int line, level, screen, block, field;
    };
    const Case cases[] = {
        {2, 1, 1, 1, 1},   {3, 1, 1, 1, 2},     {4, 1, 1, 1, 3},  {5, 1, 1, 1, 4},
        {6, 1, 1, 2, 1},   {41, 1, 1, 10, 4},   {42, 1, 2, 1, 1}, {401, 1, 10, 10, 4},
        {402, 2, 1, 1, 1}, {801, 2, 10, 10, 4},
    };
    auto map = std::make_unique<LevelMapData>();
    const LevelMapRead read = ReadLevelMapLines(NumberedMap("2", 801), *map);
    ASSERT_EQ(read.badLine, 0);
    EXPECT_EQ(map->LevelCount, 2);
    for (const Case& c : cases) {
        EXPECT_EQ(map->LevelMap[c.level][c.screen][c.block][c.field], c.line) << "line " << c.line;
    }

    // Every other entry: filled from its own line for levels 1 and 2, index 0 never written.
    for (int level = 0; level <= 20; ++level)
        for (int screen = 0; screen <= 10; ++screen)
            for (int block = 0; block <= 10; ++block)
                for (int field = 0; field <= 4; ++field) {
                    const bool filled =
                        level >= 1 && level <= 2 && screen >= 1 && block >= 1 && field >= 1;
                    const int expected = filled ? LineOf(level, screen, block, field) : 0;
                    ASSERT_EQ(map->LevelMap[level][screen][block][field], expected)
                        << level << "," << screen << "," << block << "," << field;
                }
}

TEST(LevelMap, ExtraLevelsAreReportedOnEntryAndStillStored) {
    struct Case {
        const char* count;
        int lastLine;
        std::vector<int> extraLevels;
    };
    const Case cases[] = {
        {"2", 801, {}},                       // exactly the declared levels
        {"2", 1201, {3}},                     // one level too many: reported when line 802 is read
        {"2", 802, {3}},     {"0", 401, {}},  // count 0 still reads level 1 without a message
        {"0", 402, {2}},                      // ... and reports level 2 as it begins
        {"1", 1201, {2, 3}}, {"20", 8001, {}}, {"19", 8001, {20}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string("count ") + c.count + ", lines " + std::to_string(c.lastLine));
        auto map = std::make_unique<LevelMapData>();
        const LevelMapRead read = ReadLevelMapLines(NumberedMap(c.count, c.lastLine), *map);
        EXPECT_EQ(read.badLine, 0);
        EXPECT_EQ(read.extraLevels, c.extraLevels);
        EXPECT_EQ(map->LevelCount, std::stoi(c.count));
        // The last line is stored wherever it went, extra level or not.
        const int n = c.lastLine - 2;
        EXPECT_EQ(map->LevelMap[n / 400 + 1][n / 40 % 10 + 1][n / 4 % 10 + 1][n % 4 + 1],
                  c.lastLine);
    }
}

TEST(LevelMap, ShortFileKeepsOldEntries) {
    auto map = FilledMap(77);
    const LevelMapRead read = ReadLevelMapLines(NumberedMap("1", 41), *map);
    ASSERT_EQ(read.badLine, 0);
    EXPECT_TRUE(read.extraLevels.empty());
    EXPECT_EQ(map->LevelCount, 1);
    EXPECT_EQ(map->LevelMap[1][1][1][1], 2);
    EXPECT_EQ(map->LevelMap[1][1][10][4], 41);
    EXPECT_EQ(map->LevelMap[1][2][1][1], 77);
    EXPECT_EQ(map->LevelMap[2][1][1][1], 77);
    EXPECT_EQ(map->LevelMap[0][0][0][0], 77);
}

TEST(LevelMap, AcceptsTheWholeValueRange) {
    auto map = std::make_unique<LevelMapData>();
    const LevelMapRead read = ReadLevelMapLines({"1", "-32768", "32767", "0", "0", "-0"}, *map);
    ASSERT_EQ(read.badLine, 0);
    EXPECT_EQ(map->LevelMap[1][1][1][1], -32768);
    EXPECT_EQ(map->LevelMap[1][1][1][2], 32767);
    EXPECT_EQ(map->LevelMap[1][1][1][3], 0);
    EXPECT_EQ(map->LevelMap[1][1][1][4], 0);
    EXPECT_EQ(map->LevelMap[1][1][2][1], 0);
}

TEST(LevelMap, RefusesBadFilesWithoutTouchingTheMap) {
    struct Case {
        std::vector<std::string> lines;
        int badLine;
    };
    std::vector<Case> cases = {
        {{}, 1},
        {{""}, 1},
        {{"256"}, 1},
        {{"21", "0"}, 1},  // more levels than the map holds
        {{"-1"}, 1},
        {{"x"}, 1},
        {{" 2", "0"}, 1},
        {{"2 ", "0"}, 1},
        {{"+2", "0"}, 1},
        {{"2", "0", "32768"}, 3},
        {{"2", "0", "-32769"}, 3},
        {{"2", "0", ""}, 3},
        {{"2", "0", "abc"}, 3},
        {{"2", "0", "1.5"}, 3},
        {{"2", "0", " 5"}, 3},
        {{"2", "0", "5\r"}, 3},
        {{"2", "0", "+5"}, 3},
        {{"2", "0", "-"}, 3},
        {{"2", "0", "0", "-1"}, 4},       // negative Width
        {{"2", "0", "0", "0", "-1"}, 5},  // negative Height
    };
    {
        std::vector<std::string> late = NumberedMap("2", 600);
        late[498] = "12a";  // line 499, after many good lines
        cases.push_back({late, 499});
        cases.push_back({NumberedMap("20", 8002), 8002});  // a value line for level 21
    }

    const auto before = FilledMap(77);
    for (const Case& c : cases) {
        SCOPED_TRACE("bad line " + std::to_string(c.badLine) + " of " +
                     std::to_string(c.lines.size()));
        auto map = FilledMap(77);
        const LevelMapRead read = ReadLevelMapLines(c.lines, *map);
        EXPECT_EQ(read.badLine, c.badLine);
        EXPECT_TRUE(read.extraLevels.empty());
        EXPECT_EQ(map->LevelCount, before->LevelCount);
        EXPECT_EQ(std::memcmp(map->LevelMap, before->LevelMap, sizeof map->LevelMap), 0);
    }
}

}  // namespace
}  // namespace kelto
