#include "platform/headless/headless_backend.h"

#include <cmath>

namespace kelto {

DateTime HeadlessBackend::LocalTime() {
    DateTime t = base_;
    const double ms = base_.secondsSinceMidnight() * 1000 + (now_ - baseAt_);
    const double dayMs = 86400000.0;
    const double inDay = std::fmod(ms, dayMs);
    const long long whole = static_cast<long long>(std::floor(inDay));
    t.hour = static_cast<int>(whole / 3600000);
    t.minute = static_cast<int>(whole / 60000 % 60);
    t.second = static_cast<int>(whole / 1000 % 60);
    t.millis = inDay - static_cast<double>(whole / 1000) * 1000;
    return t;
}

void HeadlessBackend::SetTimeOfDay(int h, int m, int s) {
    base_ = LocalTime();
    base_.hour = h;
    base_.minute = m;
    base_.second = s;
    base_.millis = 0;
    baseAt_ = now_;
}

void HeadlessBackend::SetDate(int y, int mo, int d) {
    base_ = LocalTime();
    baseAt_ = now_;
    base_.year = y;
    base_.month = mo;
    base_.day = d;
}

void HeadlessBackend::Log(const std::string& line) {
    out_ << '[' << FormatNumber(now_) << "] " << line << '\n';
}

int HeadlessBackend::ShowMessageBox(const std::string& prompt, int style,
                                    const std::string& title) {
    std::string line = "msgbox style=" + std::to_string(style) +
                       " title=" + FormatValue(Value{title}) +
                       " prompt=" + FormatValue(Value{prompt});
    if (answers_.empty()) {
        Log(line + " -> ?");
        throw ScriptError("a message box with no answer queued: " + FormatValue(Value{prompt}));
    }
    int answer = answers_.front();
    answers_.pop_front();
    const bool yesNo = style % 16 == 4;
    if (yesNo && answer == kOk) throw ScriptError("'answer ok' given to a Yes/No message box");
    if (!yesNo && answer != kOk) throw ScriptError("'answer yes/no' given to an OK message box");
    Log(line + " -> " + (answer == kYes ? "yes" : answer == kNo ? "no" : "ok"));
    if (onMessageBox) onMessageBox(prompt, style, title);
    return answer;
}

void HeadlessBackend::PlaySound(const std::string& shownPath, const std::string* wav) {
    Log("sound " + shownPath + (wav ? "" : " (default)"));
}

void HeadlessBackend::WindowShown(Window& w) {
    Log("show " + w.name());
}

void HeadlessBackend::WindowUnloaded(Window& w) {
    Log("unload " + w.name());
}

void HeadlessBackend::ProgramEnded() {
    Log("end");
}

}  // namespace kelto
