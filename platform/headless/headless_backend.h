#pragma once
// The headless backend: a virtual clock advanced by hand, message boxes answered from a queue,
// and every observable event written as one line of text.
#include <deque>
#include <functional>
#include <ostream>
#include <stdexcept>
#include <string>

#include "platform/runtime.h"

namespace kelto {

// A fault of the script driving a headless run (e.g. a message box with no answer queued).
struct ScriptError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

class HeadlessBackend : public Backend {
public:
    explicit HeadlessBackend(std::ostream& out) : out_(out) {}

    double NowMs() override { return now_; }
    DateTime LocalTime() override;
    int ShowMessageBox(const std::string& prompt, int style, const std::string& title) override;
    void PlaySound(const std::string& shownPath, const std::string* wav) override;
    void WindowShown(Window& w) override;
    void WindowUnloaded(Window& w) override;
    void ProgramEnded() override;

    void SetNow(double ms) { now_ = ms; }
    void SetTimeOfDay(int h, int m, int s);
    void SetDate(int y, int mo, int d);
    void QueueAnswer(int answer) { answers_.push_back(answer); }
    size_t pendingAnswers() const { return answers_.size(); }
    void Log(const std::string& line);
    // Called while a message box is open, after its line is written, with what the box shows.
    std::function<void(const std::string& prompt, int style, const std::string& title)>
        onMessageBox;

private:
    std::ostream& out_;
    double now_ = 0;
    DateTime base_;  // the local time at virtual instant baseAt_
    double baseAt_ = 0;
    std::deque<int> answers_;
};

}  // namespace kelto
