// SPDX-License-Identifier: GPL-3.0-or-later
// A Wayland desktop for end-to-end tests: weston on a private socket, shown
// through its X11 backend on the private X server of an XSession, so that the
// keys and clicks of xdotool reach it as a seat's input (weston's headless
// backend has no seat). The program runs as a Wayland client only: it gets a
// Wayland session and no X display. Windows are found by looking at weston's
// output, whose background is black.
#pragma once

#include <sys/types.h>

#include <optional>
#include <string>

#include "tests/e2e/x_session.h"

namespace e2e {

class WaylandSession {
public:
    // Throws std::runtime_error when weston cannot be started.
    WaylandSession();
    ~WaylandSession();
    WaylandSession(const WaylandSession&) = delete;
    WaylandSession& operator=(const WaylandSession&) = delete;

    void launch(const std::string& path);

    struct Area {
        int x = 0, y = 0, width = 0, height = 0;
        int right() const { return x + width; }
    };
    // The part of the output that windows cover, frames included; none while
    // nothing is shown.
    std::optional<Area> shownArea();

    // A key pressed on the seat, or a click at a point of the output.
    void key(const std::string& keys);
    void click(int x, int y);

    std::optional<int> waitForExit(std::chrono::milliseconds timeout);
    std::string appStderr() const;

private:
    XSession x_;
    Window output_ = 0;  // weston's X window
    void* display_ = nullptr;  // our own Display* on the X server
    std::string runtimeDir_;
    pid_t weston_ = -1;
    pid_t app_ = -1;
    std::optional<int> exitCode_;
};

}  // namespace e2e
