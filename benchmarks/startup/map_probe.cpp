// SPDX-License-Identifier: MIT
// Starts a program on the X display and waits for its window to be mapped;
// prints the time that took in milliseconds and the program's resident memory
// at that moment in KiB, then ends the program.
// Usage: map_probe PROGRAM [ARGUMENT...]   (no window manager on the display)
#include <X11/Xlib.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <fstream>
#include <string>

namespace {

long ResidentKibibytes(pid_t pid) {
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    std::string key;
    long value = -1;
    while (status >> key) {
        if (key == "VmRSS:") {
            status >> value;
            break;
        }
        status.ignore(1 << 16, '\n');
    }
    return value;
}

// Waits for the first top-level window to be mapped; false after the timeout.
bool WaitForMap(Display* display, std::chrono::milliseconds timeout) {
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    pollfd connection{ConnectionNumber(display), POLLIN, 0};
    while (std::chrono::steady_clock::now() < deadline) {
        while (XPending(display) > 0) {
            XEvent event;
            XNextEvent(display, &event);
            if (event.type == MapNotify) {
                return true;
            }
        }
        poll(&connection, 1, 100);
    }
    return false;
}

}  // namespace

int main(int argc, char* argv[]) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: map_probe PROGRAM [ARGUMENT...]\n");
        return 2;
    }
    Display* display = XOpenDisplay(nullptr);
    if (!display) {
        std::fprintf(stderr, "map_probe: cannot open the display\n");
        return 2;
    }
    // Without a window manager, a program's window is a child of the root.
    XSelectInput(display, DefaultRootWindow(display), SubstructureNotifyMask);
    XSync(display, False);

    const auto start = std::chrono::steady_clock::now();
    const pid_t pid = fork();
    if (pid == 0) {
        execv(argv[1], argv + 1);
        _exit(127);
    }
    const bool mapped = WaitForMap(display, std::chrono::seconds(60));
    const std::chrono::duration<double, std::milli> elapsed =
        std::chrono::steady_clock::now() - start;
    const long resident = ResidentKibibytes(pid);
    kill(pid, SIGTERM);
    waitpid(pid, nullptr, 0);
    XCloseDisplay(display);
    if (!mapped) {
        std::fprintf(stderr, "map_probe: %s showed no window\n", argv[1]);
        return 1;
    }
    std::printf("%.1f %ld\n", elapsed.count(), resident);
    return 0;
}
