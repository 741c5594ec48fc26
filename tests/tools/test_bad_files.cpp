// Damaged save and map files, played through the whole program: each is refused with a clear
// message, and nothing in the game changes.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "platform/files.h"
#include "tools/replay/replay.h"

namespace kelto {
namespace {

namespace fs = std::filesystem;

struct ProgramFolder : ::testing::Test {
    fs::path dir = fs::temp_directory_path() / ("kelto-bad-" + std::to_string(::getpid()));
    void SetUp() override {
        fs::remove_all(dir);
        fs::create_directories(dir / "Data");
        fs::copy(fs::path(KELTO_SOURCE_DIR) / "Data", dir / "Data", fs::copy_options::recursive);
        fs::copy_file(fs::path(KELTO_SOURCE_DIR) / "tests/fixtures/game_basic/Data/Map.res",
                      dir / "Data/Map.res", fs::copy_options::overwrite_existing);
        SetProgramFolder(dir.string());
    }
    void TearDown() override { fs::remove_all(dir); }
    void Write(const char* name, const std::string& bytes) {
        fs::remove_all(dir / "Data" / name);
        std::ofstream(dir / "Data" / name, std::ios::binary) << bytes;
    }
    std::string Run(const std::string& script) {
        std::ostringstream out, err;
        int rc = replay::RunReplay(script, out, err);
        return out.str() + err.str() + "exit " + std::to_string(rc) + "\n";
    }
};

const char* const kDamagedSave = "prompt=\"Файл сохранения повреждён!\"";

TEST_F(ProgramFolder, DamagedSaveFilesAreRefusedByTheLoadCommandAndNothingChanges) {
    const std::string cases[] = {
        "",                          // empty
        "#\r\n480\r\n3420\r\n",      // one code character
        "#!\r\n480\r\n",             // truncated
        "#!\r\nfour\r\n3420\r\n",    // Left not a number
        "#!\r\n480\r\n34x0\r\n",     // Top not a number
        "6!\r\n480\r\n3420\r\n",     // screen 22
        "#\x1f\r\n480\r\n3420\r\n",  // level 0... below 1
        "#z\r\n480\r\n3420\r\n",     // level 90
        std::string("\x01\x02\xff\xfe garbage", 13),
    };
    for (const std::string& bytes : cases) {
        SCOPED_TRACE(testing::PrintToString(bytes));
        Write("Kelto.sav", bytes);
        std::string out =
            Run("show Игра\nwait 500\nstate\nanswer ok\nkeydown 119\nstate\nprint "
                "Игра.Timer2.Enabled\n");
        EXPECT_NE(out.find(std::string(kDamagedSave) + " -> ok"), std::string::npos) << out;
        // The two state lines, before and after the refused load, are the same.
        std::istringstream lines(out);
        std::vector<std::string> states;
        for (std::string l; std::getline(lines, l);) {
            if (l.rfind("Игра:", 0) == 0) states.push_back(l);
        }
        ASSERT_EQ(states.size(), 2u) << out;
        EXPECT_EQ(states[0], states[1]);
        EXPECT_NE(out.find("Игра.Timer2.Enabled = True"), std::string::npos);
    }
}

TEST_F(ProgramFolder, DamagedSaveAtTheStartOfASavedGameClosesTheGameWindow) {
    Write("Kelto.sav", "#!\r\nnot a number\r\n3420\r\n");
    std::string out = Run("set Модуль1.StartFromSave 1\nanswer ok\nshow Игра\nprint Игра.Loaded\n");
    EXPECT_NE(out.find(kDamagedSave), std::string::npos) << out;
    EXPECT_NE(out.find("unload Игра"), std::string::npos) << out;
    EXPECT_NE(out.find("Игра.Loaded = False"), std::string::npos) << out;
}

TEST_F(ProgramFolder, DamagedMapIsRefusedAsAWholeWithItsLineNumber) {
    struct Case {
        std::string map;
        int line;
    } cases[] = {
        {"", 1},
        {"21\r\n", 1},
        {"1\r\n0\r\n0\r\nabc\r\n", 4},
        {"1\r\n0\r\n\r\n", 3},
        {"1\r\n40000\r\n", 2},
        {"1\r\n0\r\n0\r\n-5\r\n", 4},  // a negative Width
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.map);
        Write("Map.res", c.map);
        std::string out = Run("answer ok\nshow Игра\nprint Игра.Loaded\n");
        EXPECT_NE(out.find("title=\"Ошибка в данных\" prompt=\"Файл уровней повреждён (строка " +
                           std::to_string(c.line) + ").\""),
                  std::string::npos)
            << out;
        EXPECT_NE(out.find("Игра.Loaded = False"), std::string::npos) << out;
    }
}

TEST_F(ProgramFolder, AMapHoldingMoreLevelsThanDeclaredSaysSoOncePerExtraLevel) {
    std::string map = "1\r\n";
    for (int i = 0; i < 1200; ++i) map += "0\r\n";
    Write("Map.res", map);
    std::string out = Run("answer ok\nanswer ok\nshow Игра\nprint Игра.Loaded\n");
    EXPECT_NE(out.find("prompt=\"ошибка\" -> ok\n[0] msgbox style=0 title=\"Келто_PC\" "
                       "prompt=\"ошибка\" -> ok\n[0] show Игра"),
              std::string::npos)
        << out;
}

TEST_F(ProgramFolder, ASaveThatCannotBeWrittenKeepsTheOldSaveAndSaysSo) {
    Write("Kelto.sav", "#!\r\n480\r\n3420\r\n");
    for (WriteFault fault : {WriteFault::AfterPartialWrite, WriteFault::AtRename}) {
        InjectWriteFault(fault);
        std::string out =
            Run("show Игра\nwait 500\nanswer ok\nkeydown 116\nprint Игра.Label7.Visible\n");
        InjectWriteFault(WriteFault::None);
        EXPECT_NE(out.find("title=\"Файл не сохранён\" prompt=\"Не удалось сохранить игру!\""),
                  std::string::npos)
            << out;
        EXPECT_NE(out.find("Игра.Label7.Visible = False"), std::string::npos);
        EXPECT_EQ(*ReadFile((dir / "Data/Kelto.sav").string()), "#!\r\n480\r\n3420\r\n");
    }
}

}  // namespace
}  // namespace kelto
