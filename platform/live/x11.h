#pragma once
// What the live backend asks of the X Window System directly, where SDL has no call for it:
// legacy window names, dialog hints for message boxes, error handlers, and waiting on the
// connection. Every function does nothing (or reports false) when the window is not on X11.
#include <optional>
#include <string>

struct SDL_Window;

namespace kelto::x11 {

// Sets the window's legacy name (WM_NAME) as a properly encoded text property, so window
// managers that read only it show the caption as written.
void SetLegacyName(SDL_Window* window, const std::string& utf8);

struct DialogHints {
    bool closeBox;  // whether the window manager may offer a close box
};
// Marks a hidden window as a modal dialog: the dialog window type, the modal state, and no
// minimize or maximize button (and no close box unless asked for).
void MarkAsDialog(SDL_Window* window, DialogHints hints);

// Installs handlers so that an X protocol error is reported and the program goes on, and a lost
// connection to the display (the end of the session) ends the program quietly.
void InstallErrorHandlers(SDL_Window* anyWindow);

// Waits until the display connection of `anyWindow` has input, `fd` is readable, or
// `timeoutMs` passes (forever when empty). False when the window is not on X11: the caller then
// waits some other way.
bool WaitForInput(SDL_Window* anyWindow, int fd, std::optional<int> timeoutMs);

}  // namespace kelto::x11
