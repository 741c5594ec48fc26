// xprobe: drives and reads a real X display for the live tests. Windows are named by their
// title (_NET_WM_NAME, as the window manager lists them); every wait polls until its condition
// holds or its time runs out.
//
//   xprobe window TITLE [SECONDS]       wait until a window of that title is mapped; print its id
//   xprobe gone TITLE [SECONDS]         wait until no window has that title
//   xprobe count TITLE                  how many windows have that title
//   xprobe click ID X Y [BUTTON]        press and release at a point of the window's client area
//   xprobe key KEY...                   press the keys together, then release them (X key names)
//   xprobe focused ID [SECONDS]         wait until the window has the keyboard focus
//   xprobe geometry ID                  the client area on the screen: X Y WIDTH HEIGHT
//   xprobe match ID SECONDS PNG...      wait until the client area equals one of the pictures,
//                                       each pixel shown as a SCALE x SCALE square (env SCALE)
//   xprobe match-screen ID SECONDS PNG  the window covers the screen: the picture at the
//                                       largest whole scale that fits, centred on black
//   xprobe above ID OTHER SECONDS       wait until ID stands above OTHER in the stacking order
//   xprobe opacity ID VALUE SECONDS     wait until the window's opacity is VALUE of 255
#include <SDL.h>
#include <SDL_image.h>
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

namespace {

Display* dpy;

std::vector<unsigned long> Property(::Window w, const char* name, Atom type) {
    Atom actual;
    int format;
    unsigned long count = 0, after = 0;
    unsigned char* data = nullptr;
    std::vector<unsigned long> out;
    if (XGetWindowProperty(dpy, w, XInternAtom(dpy, name, False), 0, 4096, False, type, &actual,
                           &format, &count, &after, &data) == Success &&
        data) {
        if (format == 32) {
            auto* v = reinterpret_cast<unsigned long*>(data);
            out.assign(v, v + count);
        }
        XFree(data);
    }
    return out;
}

std::string Title(::Window w) {
    Atom actual;
    int format;
    unsigned long count = 0, after = 0;
    unsigned char* data = nullptr;
    std::string title;
    if (XGetWindowProperty(dpy, w, XInternAtom(dpy, "_NET_WM_NAME", False), 0, 1024, False,
                           XInternAtom(dpy, "UTF8_STRING", False), &actual, &format, &count, &after,
                           &data) == Success &&
        data) {
        title.assign(reinterpret_cast<char*>(data), count);
        XFree(data);
    }
    return title;
}

std::vector<::Window> WithTitle(const std::string& title) {
    std::vector<::Window> found;
    for (unsigned long w : Property(DefaultRootWindow(dpy), "_NET_CLIENT_LIST", XA_WINDOW)) {
        XWindowAttributes a;
        if (Title(w) == title && XGetWindowAttributes(dpy, w, &a) && a.map_state == IsViewable)
            found.push_back(w);
    }
    return found;
}

// Polls `holds` every 20 ms for up to `seconds`.
bool WaitFor(double seconds, const std::function<bool()>& holds) {
    const auto end = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
    while (true) {
        if (holds()) return true;
        if (std::chrono::steady_clock::now() > end) return false;
        usleep(20000);
    }
}

struct Geometry {
    int x, y, w, h;
};

Geometry GeometryOf(::Window w) {
    XWindowAttributes a{};
    XGetWindowAttributes(dpy, w, &a);
    int x = 0, y = 0;
    ::Window child;
    XTranslateCoordinates(dpy, w, DefaultRootWindow(dpy), 0, 0, &x, &y, &child);
    return {x, y, a.width, a.height};
}

struct Pixels {
    int w = 0, h = 0;
    std::vector<uint32_t> rgb;  // 0xRRGGBB
};

Pixels Load(const char* path) {
    Pixels p;
    SDL_Surface* s = IMG_Load(path);
    if (!s) {
        std::fprintf(stderr, "xprobe: cannot read %s\n", path);
        std::exit(2);
    }
    SDL_Surface* c = SDL_ConvertSurfaceFormat(s, SDL_PIXELFORMAT_ARGB8888, 0);
    p.w = c->w;
    p.h = c->h;
    for (int y = 0; y < c->h; ++y) {
        auto* row = reinterpret_cast<uint32_t*>(static_cast<char*>(c->pixels) + y * c->pitch);
        for (int x = 0; x < c->w; ++x) p.rgb.push_back(row[x] & 0xFFFFFF);
    }
    SDL_FreeSurface(c);
    SDL_FreeSurface(s);
    return p;
}

Pixels Capture(::Window w) {
    Pixels p;
    const Geometry g = GeometryOf(w);
    XImage* im = XGetImage(dpy, w, 0, 0, g.w, g.h, AllPlanes, ZPixmap);
    if (!im) return p;
    p.w = g.w;
    p.h = g.h;
    for (int y = 0; y < g.h; ++y)
        for (int x = 0; x < g.w; ++x) p.rgb.push_back(XGetPixel(im, x, y) & 0xFFFFFF);
    XDestroyImage(im);
    return p;
}

// How many screen pixels differ from the picture drawn at `scale` from (ox, oy), black around it.
long Differences(const Pixels& shown, const Pixels& want, int scale, int ox, int oy) {
    long diff = 0;
    for (int y = 0; y < shown.h; ++y) {
        for (int x = 0; x < shown.w; ++x) {
            const int px = x - ox, py = y - oy;
            uint32_t expected = 0;
            if (px >= 0 && py >= 0 && px < want.w * scale && py < want.h * scale)
                expected = want.rgb[static_cast<size_t>(py / scale) * want.w + px / scale];
            else if (ox == 0 && oy == 0)
                return -1;  // not the picture's size
            if (shown.rgb[static_cast<size_t>(y) * shown.w + x] != expected) ++diff;
        }
    }
    return diff;
}

// Windows come and go while the probe looks at them: a request about one just destroyed fails,
// and the probe treats it as not there.
int IgnoreError(Display*, XErrorEvent*) {
    return 0;
}

int Usage() {
    std::fprintf(stderr, "usage: see the comment at the top of xprobe.cpp\n");
    return 2;
}

void Send(const std::vector<KeyCode>& keys) {
    for (KeyCode k : keys) XTestFakeKeyEvent(dpy, k, True, CurrentTime);
    for (auto it = keys.rbegin(); it != keys.rend(); ++it)
        XTestFakeKeyEvent(dpy, *it, False, CurrentTime);
    XFlush(dpy);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) return Usage();
    dpy = XOpenDisplay(nullptr);
    if (!dpy) {
        std::fprintf(stderr, "xprobe: no display\n");
        return 2;
    }
    XSetErrorHandler(IgnoreError);
    const std::string cmd = argv[1];
    auto arg = [&](int i) -> const char* { return i < argc ? argv[i] : nullptr; };
    auto id = [&](int i) { return static_cast<::Window>(std::strtoul(arg(i), nullptr, 0)); };
    auto seconds = [&](int i, double fallback) { return arg(i) ? std::atof(arg(i)) : fallback; };

    if (cmd == "window" && arg(2)) {
        // Found once the window manager has framed and placed it (its frame extents are set)
        // and the program has drawn into it.
        std::vector<::Window> found;
        auto drawn = [](::Window w) {
            if (Property(w, "_NET_FRAME_EXTENTS", XA_CARDINAL).size() != 4) return false;
            const Pixels p = Capture(w);
            for (uint32_t v : p.rgb)
                if (v) return true;
            return false;
        };
        if (!WaitFor(seconds(3, 10), [&] {
                found = WithTitle(arg(2));
                return !found.empty() && drawn(found.front());
            })) {
            std::fprintf(stderr, "xprobe: no window \"%s\"\n", arg(2));
            return 1;
        }
        std::printf("0x%lx\n", found.front());
        return 0;
    }
    if (cmd == "gone" && arg(2))
        return WaitFor(seconds(3, 10), [&] { return WithTitle(arg(2)).empty(); }) ? 0 : 1;
    if (cmd == "count" && arg(2)) {
        std::printf("%zu\n", WithTitle(arg(2)).size());
        return 0;
    }
    if (cmd == "click" && arg(4)) {
        // The window manager may still be placing a window just mapped: click where it rests.
        Geometry g = GeometryOf(id(2));
        WaitFor(2, [&] {
            usleep(50000);
            const Geometry now = GeometryOf(id(2));
            const bool still = now.x == g.x && now.y == g.y;
            g = now;
            return still;
        });
        const unsigned button = arg(5) ? std::atoi(arg(5)) : 1;
        XTestFakeMotionEvent(dpy, -1, g.x + std::atoi(arg(3)), g.y + std::atoi(arg(4)),
                             CurrentTime);
        XSync(dpy, False);
        usleep(30000);  // let the program see the pointer arrive before the press
        XTestFakeButtonEvent(dpy, button, True, CurrentTime);
        XTestFakeButtonEvent(dpy, button, False, CurrentTime);
        XFlush(dpy);
        return 0;
    }
    if (cmd == "key" && arg(2)) {
        std::vector<KeyCode> keys;
        for (int i = 2; i < argc; ++i) {
            const KeySym sym = XStringToKeysym(argv[i]);
            if (sym == NoSymbol) return Usage();
            keys.push_back(XKeysymToKeycode(dpy, sym));
        }
        Send(keys);
        return 0;
    }
    if (cmd == "focused" && arg(2)) {
        const ::Window want = id(2);
        return WaitFor(seconds(3, 5),
                       [&] {
                           ::Window focus;
                           int revert;
                           XGetInputFocus(dpy, &focus, &revert);
                           // The focus may rest on the client or on a window inside it.
                           for (::Window w = focus; w && w != DefaultRootWindow(dpy);) {
                               if (w == want) return true;
                               ::Window root, parent, *children = nullptr;
                               unsigned n = 0;
                               if (!XQueryTree(dpy, w, &root, &parent, &children, &n)) break;
                               if (children) XFree(children);
                               w = parent;
                           }
                           return false;
                       })
                   ? 0
                   : 1;
    }
    if (cmd == "geometry" && arg(2)) {
        const Geometry g = GeometryOf(id(2));
        std::printf("%d %d %d %d\n", g.x, g.y, g.w, g.h);
        return 0;
    }
    if ((cmd == "match" || cmd == "match-screen") && arg(4)) {
        std::vector<Pixels> wanted;
        for (int i = 4; i < argc; ++i) wanted.push_back(Load(argv[i]));
        const int scale = std::getenv("SCALE") ? std::atoi(std::getenv("SCALE")) : 1;
        long best = -1;
        const bool ok = WaitFor(seconds(3, 5), [&] {
            const Pixels shown = Capture(id(2));
            for (const Pixels& want : wanted) {
                int s = scale, ox = 0, oy = 0;
                if (cmd == "match-screen") {
                    s = std::max(1, std::min(shown.w / want.w, shown.h / want.h));
                    ox = (shown.w - want.w * s) / 2;
                    oy = (shown.h - want.h * s) / 2;
                }
                const long d = Differences(shown, want, s, ox, oy);
                if (d == 0) return true;
                if (d > 0 && (best < 0 || d < best)) best = d;
            }
            return false;
        });
        if (!ok) {
            const Pixels shown = Capture(id(2));
            std::fprintf(stderr, "xprobe: window %dx%d, %ld pixels differ at best (%s)\n", shown.w,
                         shown.h, best, argv[4]);
        }
        return ok ? 0 : 1;
    }
    if (cmd == "above" && arg(4)) {
        const ::Window top = id(2), below = id(3);
        // The client list runs from the bottom of the stack to the top.
        return WaitFor(
                   seconds(4, 5),
                   [&] {
                       int at = 0, topAt = -1, belowAt = -1;
                       for (unsigned long w : Property(DefaultRootWindow(dpy),
                                                       "_NET_CLIENT_LIST_STACKING", XA_WINDOW)) {
                           if (w == top) topAt = at;
                           if (w == below) belowAt = at;
                           ++at;
                       }
                       return topAt > belowAt && belowAt >= 0;
                   })
                   ? 0
                   : 1;
    }
    if (cmd == "opacity" && arg(4)) {
        // The window manager's frame carries the property too; the client's own is the one set.
        const unsigned long want = std::strtoul(arg(3), nullptr, 10);
        unsigned long last = 0;
        const bool ok = WaitFor(seconds(4, 5), [&] {
            auto v = Property(id(2), "_NET_WM_WINDOW_OPACITY", XA_CARDINAL);
            last = v.empty() ? 0xFFFFFFFFul : v.front() & 0xFFFFFFFFul;
            return (last * 255 + 0x7FFFFFFFul) / 0xFFFFFFFFul == want;
        });
        if (!ok) std::fprintf(stderr, "xprobe: opacity %lu of 0xffffffff\n", last);
        return ok ? 0 : 1;
    }
    return Usage();
}
