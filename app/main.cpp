// kelto: starts the runtime on the desktop and opens the main menu.
#include "app/program.h"
#include "platform/live/live_backend.h"

int main() {
    kelto::LiveBackend backend;
    kelto::Runtime runtime(backend);
    kelto::RegisterProgramWindows(runtime);
    kelto::StartProgram(runtime);
    backend.Run(runtime);
    return 0;
}
