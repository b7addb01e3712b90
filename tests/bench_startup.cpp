// SPDX-License-Identifier: GPL-3.0-or-later
// Starts a program on the X server in DISPLAY, times it from the fork to the
// mapping of its first top-level window, reads its resident memory one second
// later and stops it. Prints "<milliseconds> <kilobytes>" for each run.
//
//   bench_startup RUNS PROGRAM [ARGS...]
//
// Needs an X server without a window manager, so that the program's own
// window is what gets mapped on the root window.
#include <X11/Xlib.h>

#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace {

long residentKilobytes(pid_t pid)
{
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    std::string line;
    while (std::getline(status, line))
        if (line.rfind("VmRSS:", 0) == 0)
            return std::strtol(line.c_str() + 6, nullptr, 10);
    return -1;
}

pid_t launch(char **argv)
{
    const pid_t pid = fork();
    if (pid == 0) {
        execvp(argv[0], argv);
        std::perror(argv[0]);
        _exit(127);
    }
    return pid;
}

// Waits for the first top-level window to be mapped; false if the program
// ended first or nothing was mapped within a minute.
bool waitForMappedWindow(Display *display, pid_t pid)
{
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::minutes(1);
    while (std::chrono::steady_clock::now() < deadline) {
        while (XPending(display)) {
            XEvent event;
            XNextEvent(display, &event);
            if (event.type == MapNotify && !event.xmap.override_redirect)
                return true;
        }
        if (waitpid(pid, nullptr, WNOHANG) == pid)
            return false;
        const int fd = ConnectionNumber(display);
        fd_set readable;
        FD_ZERO(&readable);
        FD_SET(fd, &readable);
        timeval tick{0, 2000};
        select(fd + 1, &readable, nullptr, nullptr, &tick);
    }
    return false;
}

} // namespace

int main(int argc, char *argv[])
{
    if (argc < 3) {
        std::fprintf(stderr, "usage: %s RUNS PROGRAM [ARGS...]\n", argv[0]);
        return 2;
    }
    const int runs = std::atoi(argv[1]);
    Display *display = XOpenDisplay(nullptr);
    if (!display) {
        std::fprintf(stderr, "bench_startup: no X server in DISPLAY\n");
        return 2;
    }
    XSelectInput(display, DefaultRootWindow(display), SubstructureNotifyMask);
    XSync(display, True);

    for (int run = 0; run < runs; ++run) {
        const auto start = std::chrono::steady_clock::now();
        const pid_t pid = launch(argv + 2);
        if (!waitForMappedWindow(display, pid)) {
            std::fprintf(stderr, "bench_startup: %s mapped no window\n", argv[2]);
            kill(pid, SIGKILL);
            waitpid(pid, nullptr, 0);
            return 1;
        }
        const double milliseconds =
            std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
        std::this_thread::sleep_for(std::chrono::seconds(1));
        const long kilobytes = residentKilobytes(pid);
        kill(pid, SIGTERM);
        waitpid(pid, nullptr, 0);
        // Drop the unmap and destroy notices of this run.
        XSync(display, True);
        std::printf("%.1f %ld\n", milliseconds, kilobytes);
        std::fflush(stdout);
    }
    XCloseDisplay(display);
    return 0;
}
