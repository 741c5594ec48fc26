// Random numbers, files, and pictures and sounds recognised by their content.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "platform/files.h"
#include "platform/headless/headless_backend.h"
#include "platform/picture.h"
#include "platform/random.h"
#include "platform/runtime.h"

namespace kelto {
namespace {

namespace fs = std::filesystem;

TEST(ClassicRandom, FirstValuesFromTheStartState) {
    ClassicRandom r;
    const float expected[] = {0.7055475f, 0.533424f, 0.5795186f, 0.289562464f, 0.301948f};
    for (float e : expected) EXPECT_NEAR(r.Next(), e, 1e-7);
}

TEST(ClassicRandom, ReseedingMixesTheSeedIntoTheMiddleBitsAndKeepsTheLowByte) {
    ClassicRandom r;
    r.Next();
    const uint32_t low = r.state() & 0xFF;
    r.Reseed(12345.5f);
    EXPECT_EQ(r.state() & 0xFF, low);
    uint32_t bits;
    float seed = 12345.5f;
    std::memcpy(&bits, &seed, 4);
    EXPECT_EQ(r.state() >> 8, (((bits & 0xFFFF) ^ (bits >> 16)) & 0xFFFF));
    // The same seed again in quick succession still gives a different draw.
    float first = r.Next();
    r.Reseed(12345.5f);
    EXPECT_NE(r.Next(), first);
}

struct TempFolder : ::testing::Test {
    fs::path dir = fs::temp_directory_path() / ("kelto-test-" + std::to_string(::getpid()));
    void SetUp() override { fs::create_directories(dir); }
    void TearDown() override {
        InjectWriteFault(WriteFault::None);
        fs::remove_all(dir);
    }
    std::string path(const char* name) const { return (dir / name).string(); }
};

TEST(TextFiles, LinesEndInCrLfOrLfAndALastLineWithoutAnEndCounts) {
    EXPECT_EQ(SplitLines("1\r\n2\n3"), (std::vector<std::string>{"1", "2", "3"}));
    EXPECT_EQ(SplitLines("a\r\n\r\nb\r\n"), (std::vector<std::string>{"a", "", "b"}));
    EXPECT_TRUE(SplitLines("").empty());
}

TEST_F(TempFolder, FileLookupFindsOnlyNormalFiles) {
    fs::create_directory(dir / "Map.res");
    EXPECT_FALSE(FileExists(path("Map.res")));
    EXPECT_FALSE(ReadFile(path("Map.res")));
    EXPECT_FALSE(FileExists(path("missing")));
}

TEST_F(TempFolder, ReplacingWriteKeepsTheOldFileWhenAnyStepFails) {
    const std::string file = path("Kelto.sav");
    ASSERT_TRUE(WriteFileReplacing(file, "old\r\n"));
    for (WriteFault fault : {WriteFault::AfterPartialWrite, WriteFault::AtRename}) {
        InjectWriteFault(fault);
        EXPECT_FALSE(WriteFileReplacing(file, "new contents\r\n"));
        EXPECT_EQ(*ReadFile(file), "old\r\n");
        EXPECT_FALSE(fs::exists(file + ".new"));
    }
    InjectWriteFault(WriteFault::None);
    EXPECT_TRUE(WriteFileReplacing(file, "new\r\n"));
    EXPECT_EQ(*ReadFile(file), "new\r\n");
    EXPECT_FALSE(WriteFileReplacing(path("no-such-folder/x"), "x"));
}

TEST(Pictures, DecodedByContentWhateverTheName) {
    // A BMP texture and a packaged PNG both decode; other bytes do not.
    auto bmp = LoadPicture(std::string(KELTO_SOURCE_DIR) + "/Data/Texture1.res");
    ASSERT_TRUE(bmp);
    EXPECT_GE(bmp->width, 540);
    auto png = DecodePicture(PackagedFile("icon.png"));
    ASSERT_TRUE(png);
    EXPECT_EQ(png->width, 32);
    EXPECT_FALSE(DecodePicture("RIFF not a picture at all"));
    EXPECT_FALSE(DecodePicture(""));
    EXPECT_FALSE(LoadPicture("/nonexistent/picture.bmp"));
}

TEST_F(TempFolder, SoundsThatAreNotWavPlayTheDefaultSound) {
    std::ostringstream out;
    HeadlessBackend backend(out);
    Runtime runtime(backend);
    std::ofstream(path("bad.res")) << "RIFF....WAVEgarbage";
    fs::copy_file(std::string(KELTO_SOURCE_DIR) + "/Data/Op.res", path("good.res"));
    PlaySound(path("good.res"));
    PlaySound(path("bad.res"));
    PlaySound(path("missing.res"));
    const std::string log = out.str();
    EXPECT_NE(log.find("good.res\n"), std::string::npos);
    EXPECT_NE(log.find("bad.res (default)"), std::string::npos);
    EXPECT_NE(log.find("missing.res (default)"), std::string::npos);
}

TEST_F(TempFolder, PicturesOfTheSameBytesShareOneDecodingAndAChangedFileGivesTheNewPicture) {
    const std::string corpus = std::string(KELTO_SOURCE_DIR) + "/fuzz/corpus/picture/";
    const std::string hero = *ReadFile(corpus + "hero.bmp");
    const std::string button = *ReadFile(corpus + "button.png");
    ASSERT_TRUE(WriteFileReplacing(path("Texture1.res"), hero));
    Picture first = LoadPicture(path("Texture1.res"));
    ASSERT_TRUE(first);
    EXPECT_EQ(LoadPicture(path("Texture1.res")), first);  // one copy of the pixels
    // The file is read again on every load: new bytes give the new picture.
    ASSERT_TRUE(WriteFileReplacing(path("Texture1.res"), button));
    Picture changed = LoadPicture(path("Texture1.res"));
    ASSERT_TRUE(changed);
    EXPECT_NE(changed->pixels, first->pixels);
    EXPECT_EQ(changed->pixels, DecodePicture(button)->pixels);
    // The old bytes back again, after every holder let go of them: decoded afresh, same pixels.
    const std::vector<uint32_t> pixels = first->pixels;
    first.reset();
    ASSERT_TRUE(WriteFileReplacing(path("Texture1.res"), hero));
    EXPECT_EQ(LoadPicture(path("Texture1.res"))->pixels, pixels);
    // A missing or damaged file still gives no picture.
    EXPECT_FALSE(LoadPicture(path("missing.res")));
    ASSERT_TRUE(WriteFileReplacing(path("Texture1.res"), hero.substr(0, 10)));
    EXPECT_FALSE(LoadPicture(path("Texture1.res")));
}

}  // namespace
}  // namespace kelto

namespace kelto {
namespace {

TEST(Pictures, GifDecodesToTheSamePixelsAsTheBmpOfThatPicture) {
    const std::string dir = std::string(KELTO_SOURCE_DIR) + "/fuzz/corpus/picture/";
    auto bmp = LoadPicture(dir + "hero.bmp");
    ASSERT_TRUE(bmp);
    for (const char* name : {"hero.gif", "hero-interlaced.gif"}) {
        SCOPED_TRACE(name);
        auto gif = LoadPicture(dir + name);
        ASSERT_TRUE(gif);
        EXPECT_EQ(gif->width, bmp->width);
        EXPECT_EQ(gif->height, bmp->height);
        EXPECT_EQ(gif->pixels, bmp->pixels);
    }
    // A GIF cut short inside its image data, and one whose image has no width, are refused.
    auto bytes = *ReadFile(dir + "hero.gif");
    EXPECT_FALSE(DecodePicture(bytes.substr(0, bytes.size() / 2)));
    EXPECT_FALSE(LoadPicture(dir + "gif-many-images-oom"));
}

}  // namespace
}  // namespace kelto
