// SPDX-License-Identifier: GPL-3.0-or-later
// Process start until its first window is mapped on the X server, for
// Qintara and for a bare Qt window with one CJK label. Needs an X display
// (./dev bench starts Xvfb when there is none).
#include <X11/Xlib.h>
#include <benchmark/benchmark.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>

namespace {

// Starts the program and returns the seconds until a top-level window of it
// is mapped, or a negative number when none appears within ten seconds.
double secondsUntilMapped(Display* display, const char* program) {
    const Window root = DefaultRootWindow(display);
    XSelectInput(display, root, SubstructureNotifyMask);
    XSync(display, True);
    const auto start = std::chrono::steady_clock::now();
    const pid_t child = fork();
    if (child == 0) {
        execl(program, program, static_cast<char*>(nullptr));
        _exit(127);
    }
    double seconds = -1;
    while (std::chrono::steady_clock::now() - start < std::chrono::seconds(10)) {
        if (XPending(display) == 0) {
            usleep(200);
            continue;
        }
        XEvent event;
        XNextEvent(display, &event);
        if (event.type == MapNotify && !event.xmap.override_redirect) {
            seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
            break;
        }
    }
    kill(child, SIGKILL);
    waitpid(child, nullptr, 0);
    XSelectInput(display, root, NoEventMask);
    return seconds;
}

void StartUntilFirstWindow(benchmark::State& state, const char* program) {
    Display* display = XOpenDisplay(nullptr);
    if (display == nullptr) {
        state.SkipWithError("no X display");
        return;
    }
    for (auto _ : state) {
        const double seconds = secondsUntilMapped(display, program);
        if (seconds < 0) {
            state.SkipWithError("no window appeared");
            break;
        }
        state.SetIterationTime(seconds);
    }
    XCloseDisplay(display);
}

void Qintara(benchmark::State& state) { StartUntilFirstWindow(state, QINTARA_BINARY); }
void BareQtWindowWithCjkLabel(benchmark::State& state) { StartUntilFirstWindow(state, BARE_WINDOW_BINARY); }

BENCHMARK(BareQtWindowWithCjkLabel)->UseManualTime()->Iterations(20)->Unit(benchmark::kMillisecond);
BENCHMARK(Qintara)->UseManualTime()->Iterations(20)->Unit(benchmark::kMillisecond);
BENCHMARK(BareQtWindowWithCjkLabel)->UseManualTime()->Iterations(20)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
