#include "platform/live/x11.h"

#include <SDL.h>
#include <SDL_syswm.h>
#include <X11/Xatom.h>
#include <X11/Xutil.h>
#include <poll.h>
#include <unistd.h>

#include <cstdio>
#include <vector>

namespace kelto::x11 {
namespace {

struct Handle {
    Display* display = nullptr;
    ::Window window = 0;
};

Handle HandleOf(SDL_Window* window) {
    SDL_SysWMinfo info;
    SDL_VERSION(&info.version);
    if (!window || !SDL_GetWindowWMInfo(window, &info) || info.subsystem != SDL_SYSWM_X11)
        return {};
    return {info.info.x11.display, info.info.x11.window};
}

Atom Intern(Display* d, const char* name) {
    return XInternAtom(d, name, False);
}

// The Motif hints window managers read for which buttons and functions a frame offers.
struct MotifHints {
    unsigned long flags, functions, decorations;
    long inputMode;
    unsigned long status;
};
constexpr unsigned long kMotifFunctions = 1, kMotifDecorations = 2;
constexpr unsigned long kFunctionMove = 4, kFunctionClose = 32;
constexpr unsigned long kDecorBorder = 2, kDecorTitle = 8, kDecorMenu = 16;

void AddNetWmState(Display* d, ::Window w, Atom state) {
    const Atom netWmState = Intern(d, "_NET_WM_STATE");
    std::vector<Atom> states;
    Atom type;
    int format;
    unsigned long count = 0, after = 0;
    unsigned char* data = nullptr;
    if (XGetWindowProperty(d, w, netWmState, 0, 64, False, XA_ATOM, &type, &format, &count, &after,
                           &data) == Success &&
        data) {
        if (format == 32) {
            const Atom* atoms = reinterpret_cast<const Atom*>(data);
            states.assign(atoms, atoms + count);
        }
        XFree(data);
    }
    states.push_back(state);
    XChangeProperty(d, w, netWmState, XA_ATOM, 32, PropModeReplace,
                    reinterpret_cast<const unsigned char*>(states.data()),
                    static_cast<int>(states.size()));
}

int ReportError(Display* d, XErrorEvent* e) {
    char text[256];
    XGetErrorText(d, e->error_code, text, sizeof text);
    std::fprintf(stderr, "kelto: X error ignored: %s (request %d, resource 0x%lx)\n", text,
                 e->request_code, e->resourceid);
    return 0;
}

int ConnectionLost(Display*) {
    // The display went away, as it does when the session ends: nothing is left to show.
    _exit(0);
}

}  // namespace

void SetLegacyName(SDL_Window* window, const std::string& utf8) {
    const Handle h = HandleOf(window);
    if (!h.display) return;
    char* list[] = {const_cast<char*>(utf8.c_str())};
    XTextProperty prop;
    if (Xutf8TextListToTextProperty(h.display, list, 1, XStdICCTextStyle, &prop) < Success) return;
    XSetWMName(h.display, h.window, &prop);
    XSetWMIconName(h.display, h.window, &prop);
    XFree(prop.value);
}

void MarkAsDialog(SDL_Window* window, DialogHints hints) {
    const Handle h = HandleOf(window);
    if (!h.display) return;
    Display* d = h.display;
    const Atom dialog = Intern(d, "_NET_WM_WINDOW_TYPE_DIALOG");
    XChangeProperty(d, h.window, Intern(d, "_NET_WM_WINDOW_TYPE"), XA_ATOM, 32, PropModeReplace,
                    reinterpret_cast<const unsigned char*>(&dialog), 1);
    AddNetWmState(d, h.window, Intern(d, "_NET_WM_STATE_MODAL"));
    MotifHints motif{kMotifFunctions | kMotifDecorations,
                     kFunctionMove | (hints.closeBox ? kFunctionClose : 0),
                     kDecorBorder | kDecorTitle | kDecorMenu, 0, 0};
    const Atom motifAtom = Intern(d, "_MOTIF_WM_HINTS");
    XChangeProperty(d, h.window, motifAtom, motifAtom, 32, PropModeReplace,
                    reinterpret_cast<const unsigned char*>(&motif), 5);
}

void InstallErrorHandlers(SDL_Window* anyWindow) {
    if (!HandleOf(anyWindow).display) return;
    XSetErrorHandler(ReportError);
    XSetIOErrorHandler(ConnectionLost);
}

bool WaitForInput(SDL_Window* anyWindow, int fd, std::optional<int> timeoutMs) {
    Display* d = HandleOf(anyWindow).display;
    if (!d) return false;
    // Events already read off the connection (during a reply, say) are waiting in Xlib's queue.
    if (XPending(d) > 0) return true;
    pollfd fds[2] = {{ConnectionNumber(d), POLLIN, 0}, {fd, POLLIN, 0}};
    poll(fds, 2, timeoutMs.value_or(-1));
    return true;
}

}  // namespace kelto::x11
