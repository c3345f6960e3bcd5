// WaitForMap: reports when the next top-level window appears on the X display. bench/run
// starts it, waits for its "ready" line, starts the program, and takes the line that follows
// as the moment the program's window was mapped:
//   ready
//   mapped SECONDS WINDOW      (SECONDS on the monotonic clock, the clock of Python's
//                               time.monotonic; WINDOW the window id in hexadecimal)
// It gives up with "timeout" after the seconds given as its argument (default 30).

#include <X11/Xlib.h>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <poll.h>

namespace {

double MonotonicSeconds() {
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

} // namespace

int main(int argc, char** argv) {
    const double timeout = argc > 1 ? std::atof(argv[1]) : 30.0;
    Display* display = XOpenDisplay(nullptr);
    if (display == nullptr) {
        std::fputs("WaitForMap: cannot open the display\n", stderr);
        return 1;
    }
    // Without a window manager, the root window hears of every top-level window mapped.
    XSelectInput(display, DefaultRootWindow(display), SubstructureNotifyMask);
    XSync(display, False);
    std::puts("ready");
    std::fflush(stdout);

    const double deadline = MonotonicSeconds() + timeout;
    while (MonotonicSeconds() < deadline) {
        while (XPending(display) > 0) {
            XEvent event;
            XNextEvent(display, &event);
            if (event.type == MapNotify && !event.xmap.override_redirect) {
                std::printf("mapped %.6f %lx\n", MonotonicSeconds(), event.xmap.window);
                XCloseDisplay(display);
                return 0;
            }
        }
        pollfd connection{ConnectionNumber(display), POLLIN, 0};
        poll(&connection, 1, 100);
    }
    std::puts("timeout");
    XCloseDisplay(display);
    return 2;
}
