// SPDX-License-Identifier: GPL-3.0-or-later
// Measures a window program's start-up as its user sees it: the time from
// starting the process to the X server mapping its first top-level window.
// Usage: startup-timer PROGRAM [ARGUMENTS...]; prints the wall-clock
// milliseconds and the milliseconds the program's threads ran on a processor
// until then (which a busy machine does not stretch), and ends the program.
// Needs DISPLAY (a virtual X server without a window manager, where a
// program's top-level windows are children of the root window).
#include <X11/Xlib.h>

#include <csignal>
#include <filesystem>
#include <fstream>
#include <string>
#include <cstdio>
#include <ctime>
#include <sys/wait.h>
#include <unistd.h>

namespace {

double Milliseconds(const timespec& from, const timespec& to)
{
    return (to.tv_sec - from.tv_sec) * 1e3 + (to.tv_nsec - from.tv_nsec) / 1e6;
}

// Processor time of all threads of `process` so far, from the scheduler's
// statistics (nanoseconds on a processor, first field of each schedstat).
double ProcessorMilliseconds(pid_t process)
{
    const std::string tasks = "/proc/" + std::to_string(process) + "/task";
    double nanoseconds = 0;
    for (const auto& task : std::filesystem::directory_iterator(tasks)) {
        std::ifstream schedstat(task.path() / "schedstat");
        double running = 0;
        if (schedstat >> running)
            nanoseconds += running;
    }
    return nanoseconds / 1e6;
}

// A virtual X server that has just started may refuse the first connection.
Display* OpenDisplay()
{
    for (int attempt = 0; attempt < 50; ++attempt) {
        if (Display* display = XOpenDisplay(nullptr))
            return display;
        usleep(100000);
    }
    return nullptr;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: startup-timer PROGRAM [ARGUMENTS...]\n");
        return 2;
    }
    Display* display = OpenDisplay();
    if (!display) {
        std::fprintf(stderr, "startup-timer: cannot open the display\n");
        return 1;
    }
    XSelectInput(display, DefaultRootWindow(display), SubstructureNotifyMask);
    XSync(display, False);

    timespec start{};
    clock_gettime(CLOCK_MONOTONIC, &start);
    const pid_t child = fork();
    if (child < 0) {
        std::perror("startup-timer: fork");
        return 1;
    }
    if (child == 0) {
        execvp(argv[1], argv + 1);
        std::perror("startup-timer: exec");
        _exit(127);
    }
    XEvent event;
    do
        XNextEvent(display, &event);
    while (event.type != MapNotify);
    timespec mapped{};
    clock_gettime(CLOCK_MONOTONIC, &mapped);
    const double processor = ProcessorMilliseconds(child);

    kill(child, SIGTERM);
    waitpid(child, nullptr, 0);
    XCloseDisplay(display);
    std::printf("%.2f %.2f\n", Milliseconds(start, mapped), processor);
    return 0;
}
