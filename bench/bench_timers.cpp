// Live timer accuracy: a window with a 10 ms and a 50 ms timer on the desktop backend, counted
// over a number of seconds of real time. A 10 ms timer ticks every 15.625 ms (64 a second).
// Prints "name value" lines for bench/run.sh.
#include <cstdio>
#include <cstdlib>

#include "platform/live/live_backend.h"
#include "platform/runtime.h"

namespace {

long ticks10 = 0, ticks50 = 0;
double first = 0, last = 0;

struct TimerWindow : kelto::Window {
    explicit TimerWindow(double seconds) : Window("Bench") {
        SetClientSize(1500, 750);
        Caption = "Kelto timer bench";
        Fast.Tick = [] { ++ticks10; };
        Slow.Tick = [] { ++ticks50; };
        Stop.Tick = [] { kelto::End(); };
        Stop.SetInterval(seconds * 1000);
    }
    void Load() override {
        first = kelto::Now();
        Fast.SetEnabled(true);
        Slow.SetEnabled(true);
        Stop.SetEnabled(true);
    }
    kelto::Timer Fast{*this, "Fast", 10, false};
    kelto::Timer Slow{*this, "Slow", 50, false};
    kelto::Timer Stop{*this, "Stop", 10000, false};
};

}  // namespace

int main(int argc, char** argv) {
    const double seconds = argc > 1 ? std::atof(argv[1]) : 10;
    kelto::LiveBackend backend;
    kelto::Runtime rt(backend);
    rt.RegisterWindow("Bench", [seconds] { return std::make_unique<TimerWindow>(seconds); });
    rt.Deliver([&] { rt.Show("Bench"); });
    backend.Run(rt);
    last = backend.NowMs();
    std::printf("seconds %.3f\nticks10 %ld\nticks50 %ld\n", (last - first) / 1000, ticks10,
                ticks50);
    return 0;
}
