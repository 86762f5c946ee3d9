// SPDX-License-Identifier: GPL-3.0-or-later
// End-to-end tests drive the real program on a private X server: Xvfb on a
// free display, the program started with its own XDG_RUNTIME_DIR, windows
// found by name, input through xdotool, close requests as a window manager
// sends them. Every top-level window mapped during the session is recorded,
// so a test can tell that a window never appeared. Whatever the session
// started, it kills when it ends.
#pragma once

#include <sys/types.h>

#include <chrono>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace e2e {

// Ends a child with `signal`, then with SIGKILL if it is still there after two
// seconds, and reaps it.
void killAndReap(pid_t pid, int signal);

// Waits up to `timeout` for a child to end, calling `meanwhile` between
// looks; its exit code, or 128 + the signal that ended it.
std::optional<int> waitForChild(pid_t pid, std::chrono::milliseconds timeout,
                                const std::function<void()>& meanwhile = {});

using Window = unsigned long;  // an X window id
using namespace std::chrono_literals;

class XSession {
public:
    // Throws std::runtime_error when Xvfb cannot be started.
    explicit XSession(int width = 1024, int height = 768);
    ~XSession();
    XSession(const XSession&) = delete;
    XSession& operator=(const XSession&) = delete;

    const std::string& display() const { return display_; }

    // Starts the program on this display (one at a time); its stderr is kept.
    void launch(const std::string& path, const std::vector<std::string>& args = {});
    pid_t pid() const { return app_; }

    // The first top-level window on screen whose name contains `name`; 0
    // when none appears in time.
    Window waitForWindow(std::string_view name, std::chrono::milliseconds timeout);
    bool viewable(Window window);
    // Whether any top-level window whose name contains `name` has been
    // mapped since the session started.
    bool everMapped(std::string_view name);

    // Input as a user gives it: a click at a point of the window (which also
    // gives it the focus), keys to the focused window ("Escape", "ctrl+a").
    void click(Window window, int x, int y);
    void key(const std::string& keys);
    // What a window manager sends when the user closes the window.
    void requestClose(Window window);

    // The clipboard, as a user pastes into and copies out of the program (UTF-8).
    void setClipboard(const std::string& text);
    std::string clipboard();

    struct Geometry {
        int x = 0, y = 0, width = 0, height = 0;  // the window's area on the screen
    };
    Geometry geometry(Window window);
    // What the screen shows of a rectangle of the window: 0xRRGGBB, row by
    // row; empty when the rectangle cannot be read.
    std::vector<std::uint32_t> pixels(Window window, int x, int y, int width, int height);

    // The program's exit code (128 + signal when killed); none if it is
    // still running after the timeout.
    std::optional<int> waitForExit(std::chrono::milliseconds timeout);
    std::string appStderr() const;

private:
    void pump();
    std::string nameOf(Window window);
    // Runs a helper command to its end; its standard output goes to `output`
    // when given, else nowhere.
    int run(const std::vector<std::string>& argv, const std::string& output = "/dev/null");

    pid_t xvfb_ = -1;
    pid_t app_ = -1;
    std::optional<int> exitCode_;
    std::string display_;
    std::string runtimeDir_;
    std::string stderrPath_;
    void* x_ = nullptr;  // Display*
    std::vector<std::string> mapped_;
};

}  // namespace e2e
