// SPDX-License-Identifier: GPL-3.0-or-later
// Start-up as the desktop sees it: starts a program and prints the milliseconds until the X
// server maps its first window larger than 50 x 50, taken from the server's own MapNotify event
// rather than from polling beside it. The program is then asked to quit (SIGTERM) and waited for.
// Usage: map_time PROGRAM [ARGUMENTS...]; exit status 1 when no such window comes within 30 s.
#include <X11/Xlib.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: map_time PROGRAM [ARGUMENTS...]\n");
        return 2;
    }
    Display* display = XOpenDisplay(nullptr);
    if (!display) {
        std::fprintf(stderr, "map_time: no X display\n");
        return 2;
    }
    // Top-level windows are the root's children: their mapping is reported to the root.
    XSelectInput(display, DefaultRootWindow(display), SubstructureNotifyMask);
    XSync(display, False);

    const auto start = std::chrono::steady_clock::now();
    const pid_t child = fork();
    if (child == 0) {
        execvp(argv[1], argv + 1);
        _exit(127);
    }
    auto elapsed = [&] {
        return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
            .count();
    };
    int status = 1;
    while (elapsed() < 30000) {
        if (XPending(display) == 0) {
            pollfd fd{ConnectionNumber(display), POLLIN, 0};
            poll(&fd, 1, 100);
            continue;
        }
        XEvent event;
        XNextEvent(display, &event);
        if (event.type != MapNotify)
            continue;
        const double ms = elapsed();
        XWindowAttributes attributes;
        if (XGetWindowAttributes(display, event.xmap.window, &attributes) &&
            attributes.width > 50 && attributes.height > 50) {
            std::printf("%.1f\n", ms);
            status = 0;
            break;
        }
    }
    if (status != 0)
        std::fprintf(stderr, "map_time: %s showed no window within 30 s\n", argv[1]);
    kill(child, SIGTERM);
    waitpid(child, nullptr, 0);
    XCloseDisplay(display);
    return status;
}
