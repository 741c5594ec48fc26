// Sound checking on any bytes: the file is played as a wave file or as the default sound, and
// nothing else happens.
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "platform/runtime.h"

namespace {

class QuietBackend : public kelto::Backend {
public:
    double NowMs() override { return 0; }
    kelto::DateTime LocalTime() override { return {}; }
    int ShowMessageBox(const std::string&, int, const std::string&) override { std::abort(); }
    void PlaySound(const std::string&, const std::string* wav) override {
        ++played;
        wave = wav != nullptr;
    }
    int played = 0;
    bool wave = false;
};

std::string TempPath() {
    const char* dir = access("/dev/shm", W_OK) == 0 ? "/dev/shm" : "/tmp";
    return std::string(dir) + "/kelto-fuzz-sound-" + std::to_string(getpid()) + ".res";
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static QuietBackend backend;
    static kelto::Runtime runtime(backend);
    static const std::string path = TempPath();
    FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) std::abort();
    if (size && std::fwrite(data, 1, size, f) != size) std::abort();
    std::fclose(f);
    const int before = backend.played;
    kelto::PlaySound(path);
    if (backend.played != before + 1) std::abort();
    // Only a file that starts as a wave file can play as one.
    if (backend.wave &&
        (size < 12 || std::string_view(reinterpret_cast<const char*>(data), 4) != "RIFF"))
        std::abort();
    return 0;
}
