// The runtime's own rules: timers, modal message boxes, mouse capture, window lifecycle.
#include <gtest/gtest.h>

#include <sstream>

#include "platform/headless/headless_backend.h"
#include "platform/render.h"
#include "platform/runtime.h"

namespace kelto {
namespace {

struct TestWindow : Window {
    explicit TestWindow(std::vector<std::string>& log, std::string name = "W")
        : Window(std::move(name)), log(log) {
        SetClientSize(300, 300);
        Slow.Tick = [this] { this->log.push_back("Slow"); };
        Fast.Tick = [this] { this->log.push_back("Fast"); };
        Other.Tick = [this] { this->log.push_back("Other"); };
    }
    void KeyDown(int k) override { log.push_back("key " + std::to_string(k)); }
    std::vector<std::string>& log;
    Label A{*this, nullptr, "A"};
    Label B{*this, nullptr, "B"};
    Timer Slow{*this, "Slow", 50, false};
    Timer Fast{*this, "Fast", 10, false};
    Timer Other{*this, "Other", 50, false};
};

struct RuntimeTest : ::testing::Test {
    std::ostringstream out;
    HeadlessBackend backend{out};
    Runtime runtime{backend};
    std::vector<std::string> log;
    TestWindow* window = nullptr;

    void SetUp() override {
        runtime.RegisterWindow("W", [this] { return std::make_unique<TestWindow>(log); });
        runtime.Deliver([&] { window = static_cast<TestWindow*>(&runtime.Show("W")); });
    }
    // Advances the virtual clock to `ms`, delivering every tick due on the way.
    void AdvanceTo(double ms) {
        for (Timer* t; (t = runtime.NextDueTimer()) && t->due() <= ms;) {
            backend.SetNow(t->due());
            runtime.RunDueTimers();
        }
        backend.SetNow(ms);
    }
};

TEST_F(RuntimeTest, TicksDueTogetherComeInDeclarationOrderAndShortIntervalsTickAt15625) {
    window->Other.SetEnabled(true);
    window->Slow.SetEnabled(true);
    window->Fast.SetEnabled(true);
    AdvanceTo(50);
    // Fast ticks every 15.625 ms: 15.625, 31.25, 46.875; then Slow before Other at 50.
    EXPECT_EQ(log, (std::vector<std::string>{"Fast", "Fast", "Fast", "Slow", "Other"}));
    EXPECT_DOUBLE_EQ(window->Fast.due(), 62.5);
}

TEST_F(RuntimeTest, TicksDueTogetherInTwoWindowsComeInTheOrderTheWindowsLoaded) {
    std::vector<std::string> unused;
    runtime.RegisterWindow("W2", [&] { return std::make_unique<TestWindow>(unused, "W2"); });
    TestWindow* second = nullptr;
    runtime.Deliver([&] { second = static_cast<TestWindow*>(&runtime.Show("W2")); });
    second->Slow.Tick = [this] { log.push_back("W2.Slow"); };
    // The later window's timer is switched on first; the earlier window still ticks first.
    second->Slow.SetEnabled(true);
    window->Other.SetEnabled(true);
    AdvanceTo(50);
    EXPECT_EQ(log, (std::vector<std::string>{"Other", "W2.Slow"}));
}

TEST_F(RuntimeTest, OverdueTimerTicksOnceAndKeepsItsPhase) {
    window->Slow.SetEnabled(true);
    backend.SetNow(1020);  // twenty intervals pass while something else runs
    runtime.RunDueTimers();
    EXPECT_EQ(log.size(), 1u);
    EXPECT_DOUBLE_EQ(window->Slow.due(), 1050);
}

TEST_F(RuntimeTest, EnablingStartsAFreshIntervalButReEnablingAnOnTimerChangesNothing) {
    window->Slow.SetEnabled(true);
    backend.SetNow(30);
    window->Slow.SetEnabled(true);
    EXPECT_DOUBLE_EQ(window->Slow.due(), 50);
    window->Slow.SetEnabled(false);
    window->Slow.SetEnabled(true);
    EXPECT_DOUBLE_EQ(window->Slow.due(), 80);
}

// A backend whose message box tries to deliver input and ticks while it is open.
struct MeddlingBackend : HeadlessBackend {
    using HeadlessBackend::HeadlessBackend;
    Runtime* runtime = nullptr;
    int ShowMessageBox(const std::string&, int, const std::string&) override {
        SetNow(500);
        runtime->RunDueTimers();
        runtime->KeyDown(32);
        return kOk;
    }
};

TEST(ModalMessageBox, HoldsBackTicksAndInputUntilAnswered) {
    std::ostringstream out;
    MeddlingBackend backend(out);
    Runtime runtime(backend);
    backend.runtime = &runtime;
    std::vector<std::string> log;
    runtime.RegisterWindow("W", [&] { return std::make_unique<TestWindow>(log); });
    TestWindow* w = nullptr;
    runtime.Deliver([&] { w = static_cast<TestWindow*>(&runtime.Show("W")); });
    w->Slow.SetEnabled(true);
    runtime.Deliver([&] { MsgBox("?"); });
    EXPECT_TRUE(log.empty());
    runtime.RunDueTimers();  // the tick that fell due during the box comes after it, once
    EXPECT_EQ(log, std::vector<std::string>{"Slow"});
}

TEST(ModalMessageBox, TitleDefaultsToTheProgramTitleAndAnswersComeFromTheScript) {
    std::ostringstream out;
    HeadlessBackend backend(out);
    Runtime runtime(backend);
    backend.QueueAnswer(kNo);
    EXPECT_EQ(MsgBox("Точно?", kYesNoQuestion), kNo);
    EXPECT_NE(out.str().find("title=\"Келто_PC\""), std::string::npos);
    EXPECT_THROW(MsgBox("again"), ScriptError);  // no answer queued
}

TEST_F(RuntimeTest, MouseGoesToWhereThePressBeganAndClicksOnlyOverTheSameControl) {
    for (Label* l : {&window->A, &window->B}) {
        const std::string n = l->name();
        l->MouseDown = [this, n](int) { log.push_back("down " + n); };
        l->MouseMove = [this, n](int) { log.push_back("move " + n); };
        l->MouseUp = [this, n](int) { log.push_back("up " + n); };
        l->Click = [this, n] { log.push_back("click " + n); };
    }
    using M = Runtime::Mouse;
    runtime.MouseEvent(*window, &window->A, M::Down, 2);
    runtime.MouseEvent(*window, &window->B, M::Move, 2);
    runtime.MouseEvent(*window, &window->B, M::Up, 2);
    runtime.MouseEvent(*window, &window->A, M::Down, 1);
    runtime.MouseEvent(*window, &window->A, M::Up, 1);
    runtime.MouseEvent(*window, &window->B, M::Move, 0);
    EXPECT_EQ(log, (std::vector<std::string>{"down A", "move A", "up A", "down A", "up A",
                                             "click A", "move B"}));
}

TEST_F(RuntimeTest, UnloadInsideAHandlerLetsItFinishAndTheLastWindowEndsTheProgram) {
    bool ranToEnd = false;
    runtime.Deliver([&] {
        Unload(*window);
        window->log.push_back("after");  // the window is destroyed only after the handler
        ranToEnd = true;
    });
    EXPECT_TRUE(ranToEnd);
    EXPECT_TRUE(runtime.ended());
    EXPECT_EQ(runtime.Find("W"), nullptr);
}

TEST_F(RuntimeTest, EndStopsTheHandlerAtOnceAndNothingRunsAfter) {
    runtime.Deliver([&] {
        log.push_back("before");
        End();
    });
    runtime.KeyDown(32);
    EXPECT_TRUE(runtime.ended());
    EXPECT_EQ(log, std::vector<std::string>{"before"});
}

TEST_F(RuntimeTest, KeysGoToTheActiveWindow) {
    runtime.KeyDown(37);
    EXPECT_EQ(log, std::vector<std::string>{"key 37"});
}

TEST(Renderer, BoxesCoverLightControlsAndHiddenControlsAreNotDrawn) {
    std::ostringstream out;
    HeadlessBackend backend(out);
    Runtime runtime(backend);
    struct W : Window {
        W() : Window("R") {
            BorderStyle = Border::None;
            SetClientSize(150, 150);  // 10 x 10 pixels
            BackColor = Rgb(0, 0, 255);
            // Declared first, so on top among the light controls - but a box still covers it.
            S.Move(0, 0, 150, 150);
            S.FillColor = Rgb(255, 0, 0);
            S.BorderColor = Rgb(255, 0, 0);
            P.Move(0, 0, 75, 150);
            P.BackColor = Rgb(0, 255, 0);
            Hidden.Move(0, 0, 150, 150);
            Hidden.Visible = false;
        }
        Shape S{*this, nullptr, "S"};
        PictureBox P{*this, nullptr, "P"};
        PictureBox Hidden{*this, nullptr, "Hidden"};
    } w;
    Canvas cv = RenderWindow(w);
    EXPECT_EQ(cv.pixels[0], 0xFF00FF00u);  // the box, left half
    EXPECT_EQ(cv.pixels[8], 0xFFFF0000u);  // the shape, right half
    EXPECT_EQ(ControlAt(w, 2, 2), &w.P);
    EXPECT_EQ(ControlAt(w, 8, 2), nullptr);  // shapes take no mouse events
}

}  // namespace
}  // namespace kelto
