// What the player sees when a file of Data/ is missing or damaged, or when the save file cannot
// be written. Each row is one line of the README table "When files are missing or damaged",
// played through the whole program from its main menu on a program folder made for the row.
#include <gtest/gtest.h>
#include <sys/fsuid.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>

#include "game/save_file.h"
#include "platform/files.h"
#include "tools/replay/replay.h"

namespace kelto {
namespace {

namespace fs = std::filesystem;

enum class Damage {
    Missing,
    Empty,
    Truncated,    // the first half of the shipped bytes
    RandomBytes,  // 4096 seeded random bytes
    Folder,       // a folder of that name
    Huge,         // the shipped bytes followed by zeros up to 100 MB
    Unreadable,   // no read permission (checked as the user "nobody" when run as root)
    // Faults when the save file is written:
    ReadOnlyData,  // Data/ without write permission
    TempIsFolder,  // Data/Kelto.sav.new is a folder
    PartialWrite,  // the disk fails half way through the new file
    RenameFails,   // the new file cannot replace the old one
};

const char* DamageName(Damage d) {
    switch (d) {
        case Damage::Missing:
            return "Missing";
        case Damage::Empty:
            return "Empty";
        case Damage::Truncated:
            return "Truncated";
        case Damage::RandomBytes:
            return "RandomBytes";
        case Damage::Folder:
            return "Folder";
        case Damage::Huge:
            return "Huge";
        case Damage::Unreadable:
            return "Unreadable";
        case Damage::ReadOnlyData:
            return "ReadOnlyData";
        case Damage::TempIsFolder:
            return "TempIsFolder";
        case Damage::PartialWrite:
            return "PartialWrite";
        case Damage::RenameFails:
            return "RenameFails";
    }
    return "?";
}

// Scripts. Every run starts at the main menu; "@" stands for the level of a row that is played
// on each of the levels 2 to 10.
// A message box is answered only where one is expected: a leftover answer would go to the next.
const std::string kNewGame =
    "click Form1 Image1(0)\nwait 500\nprint Form1.Loaded\nprint Игра.Loaded\n";
const std::string kNewGameOk = "answer ok\n" + kNewGame;
const std::string kLoadGame =
    "answer ok\nclick Form1 Image2(0)\nwait 500\nprint Form1.Loaded\nprint Игра.Loaded\n";
const std::string kTurnLeftAndRight =
    kNewGame +
    "print Игра.Picture5.Picture\nkeydown 37\nticks Игра.Timer3 1\nkeyup 37\n"
    "print Игра.Picture5.Picture\nkeydown 39\nticks Игра.Timer4 1\nkeyup 39\n"
    "print Игра.Picture5.Picture\n";
const std::string kMenuBar = kNewGame + "keydown 32\nwait 100\n";
const std::string kHeadBump =
    kNewGame +
    "set Игра.Picture2(10).Left 300\nset Игра.Picture2(10).Top 2000\n"
    "set Игра.Picture2(10).Width 1000\nset Игра.Picture2(10).Height 1300\n"
    "keydown 38\nkeyup 38\nwait 200\n";
const std::string kFallOut =
    kNewGame + "answer no\nset Игра.Picture5.Top 5700\nwait 100\nprint Игра.Loaded\n";
const std::string kWalk = kNewGame + "keydown 39\nwait 1500\nkeyup 39\n";
const std::string kSave =
    kNewGame + "answer ok\nkeydown 116\nprint Игра.Label7.Visible\nprint Игра.Loaded\n";

// What the output shows.
const std::string kFilesMissing =
    "msgbox style=16 title=\"Работа программы не возможна\" prompt=\"Один или несколько файлов "
    "нужных программе не найдены!\" -> ok";
const std::string kMapDamaged =
    "msgbox style=16 title=\"Ошибка в данных\" prompt=\"Файл уровней повреждён (строка 1).\"";
const std::string kMapUnreadable =
    "msgbox style=16 title=\"Ошибка в данных\" prompt=\"Не удалось прочитать файл "
    "Data/Map.res.\"";
const std::string kNoTexture =
    "msgbox style=16 title=\"Файл не найден\" prompt=\"Не найден файл текстуры для текущего "
    "уровня!\\r\\n   Будут загружены стандартные текстуры\" -> ok";
const std::string kNoSave =
    "msgbox style=16 title=\"Файл не найден\" prompt=\"Игра не была сохранена!\" -> ok";
const std::string kSaveDamaged =
    "msgbox style=16 title=\"Ошибка в данных\" prompt=\"Файл сохранения повреждён!\" -> ok";
const std::string kNotSaved =
    "msgbox style=16 title=\"Файл не сохранён\" prompt=\"Не удалось сохранить игру!\" -> ok";
const std::string kMenuStays = "Form1.Loaded = True\nИгра.Loaded = False";
const std::string kGameOpen = "Form1.Loaded = False\nИгра.Loaded = True";
const std::string kBackToMenu = "show Form1\n";
const std::string kSaved = "Игра.Label7.Visible = True";
const std::string kMsgBox = "msgbox";

// A good save on level 2, screen 1; for rows played on each level, "@" is the level's code.
const std::string kGoodSave = "!\"\r\n480\r\n3420\r\n";
const std::string kLevelSave = "!@\r\n480\r\n3420\r\n";

struct Row {
    const char* name;
    std::vector<std::string> files;  // damaged together
    Damage damage;
    std::string script;
    std::vector<std::string> expect;  // in this order in the output
    std::vector<std::string> absent;
    bool eachLevel;    // played on levels 2 to 10 ("@" in files, expect and the save)
    std::string save;  // Data/Kelto.sav before the run ("" = none)

    Row(const char* name, std::vector<std::string> files, Damage damage, std::string script,
        std::vector<std::string> expect, std::vector<std::string> absent, bool eachLevel = false,
        std::string save = "")
        : name(name),
          files(std::move(files)),
          damage(damage),
          script(std::move(script)),
          expect(std::move(expect)),
          absent(std::move(absent)),
          eachLevel(eachLevel),
          save(std::move(save)) {}
};

const std::vector<std::string> kSteps = {"1.res", "2.res", "3.res", "4.res"};
// A footstep with its own sound (the line ends right after the name).
const std::vector<std::string> kRealSteps = {"sound Data/1.res\n", "sound Data/2.res\n",
                                             "sound Data/3.res\n", "sound Data/4.res\n"};

// Every way a data file can be wrong, and the faults of writing the save file.
const std::vector<Damage> kAnyWay = {Damage::Missing,     Damage::Empty,  Damage::Truncated,
                                     Damage::RandomBytes, Damage::Folder, Damage::Huge,
                                     Damage::Unreadable};
const std::vector<Damage> kDamaged = {Damage::Empty, Damage::Truncated, Damage::RandomBytes,
                                      Damage::Huge, Damage::Unreadable};
const std::vector<Damage> kNotAFile = {Damage::Missing, Damage::Folder};
const std::vector<Damage> kWriteFaults = {Damage::ReadOnlyData, Damage::TempIsFolder,
                                          Damage::PartialWrite, Damage::RenameFails};

std::vector<Row> Rows() {
    std::vector<Row> rows;
    auto add = [&](const std::vector<Damage>& ways, const Row& row) {
        for (Damage d : ways) {
            rows.push_back(row);
            rows.back().damage = d;
        }
    };

    // The level map: the menu tests it exists; the game window refuses a damaged one as a whole.
    add(kNotAFile, {"Map", {"Map.res"}, {}, kNewGameOk, {kFilesMissing, kMenuStays}, {"sound"}});
    add({Damage::Empty, Damage::RandomBytes},
        {"Map", {"Map.res"}, {}, kNewGameOk, {kMapDamaged, kBackToMenu, kMenuStays}, {}});
    add({Damage::Huge, Damage::Unreadable},
        {"Map", {"Map.res"}, {}, kNewGameOk, {kMapUnreadable, kBackToMenu, kMenuStays}, {}});
    // Cut off half way: the game starts, and the screens the file no longer reaches have no
    // blocks (block 1 of level 10, screen 10 is 8000 twips wide in the whole file).
    add({Damage::Truncated}, {"Map",
                              {"Map.res"},
                              {},
                              kLoadGame + "print Игра.Picture2(1).Width\n",
                              {kGameOpen, "Игра.Picture2(1).Width = 0\n"},
                              {kMsgBox},
                              false,
                              "**\r\n480\r\n3420\r\n"});

    // The standard texture: the menu tests it exists; with a damaged one level 1 shows the
    // message and then its plain colours.
    add(kNotAFile,
        {"Texture1", {"Texture1.res"}, {}, kNewGameOk, {kFilesMissing, kMenuStays}, {"sound"}});
    add(kDamaged, {"Texture1",
                   {"Texture1.res"},
                   {},
                   kNewGameOk + "print Игра.Picture2(3).Picture\n",
                   {kNoTexture, kGameOpen, "Игра.Picture2(3).Picture = \"\""},
                   {}});

    // The textures of levels 2 to 10: the message, then the standard texture.
    add(kAnyWay, {"TextureN",
                  {"Texture@.res"},
                  {},
                  kLoadGame + "print Игра.Picture2(1).Picture\n",
                  {kNoTexture, kGameOpen, "Игра.Picture2(1).Picture = \"Data/Texture1.res\""},
                  {},
                  true,
                  kLevelSave});

    // The hero facing right: the design picture until the hero has turned left once; after that
    // the left picture stays. Facing left: the right picture stays.
    add(kAnyWay,
        {"Per",
         {"Per.res"},
         {},
         kTurnLeftAndRight,
         {kGameOpen, "Игра.Picture5.Picture = \"hero.png\"",
          "Игра.Picture5.Picture = \"Data/Per2.res\"", "Игра.Picture5.Picture = \"Data/Per2.res\""},
         {kMsgBox}});
    add(kAnyWay,
        {"Per2",
         {"Per2.res"},
         {},
         kTurnLeftAndRight,
         {kGameOpen, "Игра.Picture5.Picture = \"Data/Per.res\"",
          "Игра.Picture5.Picture = \"Data/Per.res\"", "Игра.Picture5.Picture = \"Data/Per.res\""},
         {kMsgBox}});

    // The start sound and the menu-bar sound are tested by the menu; a damaged one sounds as the
    // default sound, and a cut-off one plays as far as it goes.
    add(kNotAFile, {"Mn", {"Mn.res"}, {}, kNewGameOk, {kFilesMissing, kMenuStays}, {"sound"}});
    add(kNotAFile, {"Op", {"Op.res"}, {}, kNewGameOk, {kFilesMissing, kMenuStays}, {"sound"}});
    const std::vector<Damage> unplayable = {Damage::Empty, Damage::RandomBytes, Damage::Huge,
                                            Damage::Unreadable};
    add(unplayable,
        {"Mn", {"Mn.res"}, {}, kNewGame, {"sound Data/Mn.res (default)\n", kGameOpen}, {kMsgBox}});
    add(unplayable,
        {"Op", {"Op.res"}, {}, kMenuBar, {kGameOpen, "sound Data/Op.res (default)\n"}, {kMsgBox}});
    add({Damage::Truncated},
        {"Mn", {"Mn.res"}, {}, kNewGame, {"sound Data/Mn.res\n", kGameOpen}, {kMsgBox}});
    add({Damage::Truncated},
        {"Op", {"Op.res"}, {}, kMenuBar, {kGameOpen, "sound Data/Op.res\n"}, {kMsgBox}});

    // The sounds nobody tests: the default sound, whatever is wrong with them; a cut-off one
    // plays as far as it goes.
    std::vector<Damage> noSound = unplayable;
    noSound.insert(noSound.end(), kNotAFile.begin(), kNotAFile.end());
    add(noSound, {"Bash",
                  {"Bash.res"},
                  {},
                  kHeadBump,
                  {kGameOpen, "sound Data/Bash.res (default)\n"},
                  {kMsgBox, "sound Data/Bash.res\n"}});
    add(noSound, {"Kr",
                  {"Kr.res"},
                  {},
                  kFallOut,
                  {kGameOpen, "sound Data/Kr.res (default)\n", "Вы упали", kBackToMenu,
                   "Игра.Loaded = False"},
                  {"sound Data/Kr.res\n"}});
    add(noSound, {"Steps", kSteps, {}, kWalk, {kGameOpen, ".res (default)\n"}, kRealSteps});
    add({Damage::Truncated},
        {"Bash", {"Bash.res"}, {}, kHeadBump, {kGameOpen, "sound Data/Bash.res\n"}, {kMsgBox}});
    add({Damage::Truncated},
        {"Kr", {"Kr.res"}, {}, kFallOut, {kGameOpen, "sound Data/Kr.res\n", "Вы упали"}, {}});
    add({Damage::Truncated},
        {"Steps", kSteps, {}, kWalk, {kGameOpen, "sound Data/"}, {".res (default)"}});

    // The save file, loaded from the menu: the menu tests it exists; the game window refuses a
    // damaged one and closes.
    add(kNotAFile, {"SaveLoad", {"Kelto.sav"}, {}, kLoadGame, {kNoSave, kMenuStays}, {"sound"}});
    add(kDamaged, {"SaveLoad",
                   {"Kelto.sav"},
                   {},
                   kLoadGame,
                   {"sound Data/Mn.res\n", kSaveDamaged, kBackToMenu, kMenuStays},
                   {},
                   false,
                   kGoodSave});

    // The save file, written with F5: whatever was in the old file is replaced. A folder in its
    // place, or a folder that cannot take the new file, says so and keeps the old save.
    std::vector<Damage> replaced = kDamaged;
    replaced.push_back(Damage::Missing);
    add(replaced,
        {"SaveWrite", {"Kelto.sav"}, {}, kSave, {kGameOpen, kSaved}, {kMsgBox}, false, kGoodSave});
    std::vector<Damage> refused = kWriteFaults;
    refused.push_back(Damage::Folder);
    add(refused, {"SaveWrite",
                  {"Kelto.sav"},
                  {},
                  kSave,
                  {kGameOpen, kNotSaved, "Игра.Label7.Visible = False", "Игра.Loaded = True"},
                  {},
                  false,
                  kGoodSave});
    return rows;
}

std::string Replace(std::string s, const std::string& from, const std::string& to) {
    for (size_t at = s.find(from); at != std::string::npos; at = s.find(from, at + to.size()))
        s.replace(at, from.size(), to);
    return s;
}

// Runs the program as the user "nobody" for file access while it lives (root reads and writes
// everything, whatever the permissions say).
class NobodyFileAccess {
public:
    explicit NobodyFileAccess(bool on) : on_(on && ::geteuid() == 0) {
        if (on_) ::setfsuid(65534);
    }
    ~NobodyFileAccess() {
        if (on_) ::setfsuid(0);
    }

private:
    bool on_;
};

void PrintTo(const Row& row, std::ostream* os) {
    *os << row.name << " " << DamageName(row.damage);
}

class DamagedFiles : public ::testing::TestWithParam<Row> {
protected:
    fs::path dir = fs::temp_directory_path() / ("kelto-damaged-" + std::to_string(::getpid()));
    fs::path shipped = fs::path(KELTO_SOURCE_DIR) / "Data";

    void SetUp() override { SetProgramFolder(dir.string()); }
    void TearDown() override {
        InjectWriteFault(WriteFault::None);
        Clean();
    }
    void Clean() {
        std::error_code ec;
        if (fs::exists(dir / "Data")) fs::permissions(dir / "Data", fs::perms::owner_all, ec);
        fs::remove_all(dir);
    }

    // A fresh program folder: the shipped Data/ and the row's save file. The shipped files are
    // linked, except for runs as "nobody": those get copies, since the checkout itself may lie in
    // a folder only its owner can enter.
    void MakeFolder(const std::string& save, bool forNobody) {
        Clean();
        fs::create_directories(dir / "Data");
        // Writable by anyone: runs as "nobody" may still replace the save file.
        fs::permissions(dir / "Data", fs::perms::all);
        for (const auto& e : fs::directory_iterator(shipped)) {
            const fs::path copy = dir / "Data" / e.path().filename();
            if (forNobody) {
                fs::copy(e.path(), copy, fs::copy_options::recursive);
                fs::permissions(copy, fs::perms::others_read, fs::perm_options::add);
            } else {
                fs::create_symlink(e.path(), copy);
            }
        }
        if (!save.empty()) std::ofstream(dir / "Data/Kelto.sav", std::ios::binary) << save;
    }

    std::string Shipped(const std::string& name) {
        fs::path p = fs::exists(shipped / name) ? shipped / name : dir / "Data" / name;
        auto bytes = ReadFile(p.string());
        return bytes ? *bytes : std::string();
    }

    void Damage(const std::string& name, Damage d) {
        const fs::path path = dir / "Data" / name;
        const std::string original = Shipped(name);
        auto write = [&](const std::string& bytes) {
            fs::remove_all(path);
            std::ofstream(path, std::ios::binary) << bytes;
        };
        switch (d) {
            case Damage::Missing:
                fs::remove_all(path);
                break;
            case Damage::Empty:
                write("");
                break;
            case Damage::Truncated:
                write(original.substr(0, original.size() / 2));
                break;
            case Damage::RandomBytes: {
                std::mt19937 gen(static_cast<unsigned>(std::hash<std::string>{}(name)&0xffff));
                std::string bytes(4096, '\0');
                for (char& c : bytes) c = static_cast<char>(gen() & 0xff);
                write(bytes);
                break;
            }
            case Damage::Folder:
                fs::remove_all(path);
                fs::create_directories(path / "inside");
                break;
            case Damage::Huge:
                write(original);
                fs::resize_file(path, 100u << 20);  // sparse: no disk is used
                break;
            case Damage::Unreadable:
                write(original);
                fs::permissions(path, fs::perms::none);
                break;
            case Damage::ReadOnlyData:
                fs::permissions(dir / "Data", fs::perms::owner_read | fs::perms::owner_exec |
                                                  fs::perms::group_read | fs::perms::group_exec |
                                                  fs::perms::others_read | fs::perms::others_exec);
                break;
            case Damage::TempIsFolder:
                fs::create_directories(dir / "Data/Kelto.sav.new");
                break;
            case Damage::PartialWrite:
                InjectWriteFault(WriteFault::AfterPartialWrite);
                break;
            case Damage::RenameFails:
                InjectWriteFault(WriteFault::AtRename);
                break;
        }
    }

    std::string Run(const std::string& script, bool asNobody) {
        std::ostringstream out, err;
        int rc;
        {
            NobodyFileAccess nobody(asNobody);
            rc = replay::RunReplay(script, out, err);
        }
        return out.str() + err.str() + "exit " + std::to_string(rc) + "\n";
    }

    void Check(const Row& row, const std::string& level) {
        auto at = [&](const std::string& s) { return Replace(s, "@", level); };
        const std::string save =
            level.empty() ? row.save
                          : Replace(row.save, "@", std::string(1, char(std::stoi(level) + 32)));
        const bool asNobody =
            row.damage == Damage::Unreadable || row.damage == Damage::ReadOnlyData;
        MakeFolder(save, asNobody);
        for (const std::string& f : row.files) Damage(at(f), row.damage);
        const std::string out = Run(row.script, asNobody);
        EXPECT_NE(out.find("exit 0\n"), std::string::npos) << out;
        size_t from = 0;
        for (const std::string& e : row.expect) {
            const size_t pos = out.find(at(e), from);
            EXPECT_NE(pos, std::string::npos) << "expected, in order: " << at(e) << "\n" << out;
            if (pos != std::string::npos) from = pos + 1;
        }
        for (const std::string& a : row.absent) {
            EXPECT_EQ(out.find(at(a)), std::string::npos) << "not expected: " << at(a) << "\n"
                                                          << out;
        }
        if (row.script != kSave) return;
        // A refused save leaves the old save file as it was, and no new file beside it; a save
        // made is one the load command reads back.
        auto now = ReadFile((dir / "Data/Kelto.sav").string());
        if (out.find(kNotSaved) != std::string::npos) {
            if (row.damage != Damage::Folder) {
                EXPECT_EQ(now.value_or("(none)"), save);
            }
            if (row.damage != Damage::TempIsFolder) {
                EXPECT_FALSE(fs::exists(dir / "Data/Kelto.sav.new"));
            }
        } else {
            auto parsed = now ? ParseSave(SplitLines(*now)) : std::nullopt;
            ASSERT_TRUE(parsed.has_value()) << now.value_or("(none)");
            EXPECT_EQ(parsed->level, 1);
            EXPECT_EQ(parsed->screen, 1);
        }
    }
};

TEST_P(DamagedFiles, WhatThePlayerSees) {
    const Row& row = GetParam();
    if (!row.eachLevel) {
        Check(row, "");
        return;
    }
    for (int level = 2; level <= 10; ++level) {
        SCOPED_TRACE("level " + std::to_string(level));
        Check(row, std::to_string(level));
    }
}

INSTANTIATE_TEST_SUITE_P(Data, DamagedFiles, ::testing::ValuesIn(Rows()),
                         [](const ::testing::TestParamInfo<Row>& info) {
                             return std::string(info.param.name) + "_" +
                                    DamageName(info.param.damage) + "_" +
                                    std::to_string(info.index);
                         });

}  // namespace
}  // namespace kelto
