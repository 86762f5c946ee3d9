// SPDX-License-Identifier: GPL-3.0-or-later
#include "tests/e2e/wayland_session.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <thread>
#include <vector>

namespace e2e {
namespace {

constexpr int kOutputWidth = 900, kOutputHeight = 700;
constexpr const char* kSocket = "qintara-wayland";

Display* dpy(void* display) { return static_cast<Display*>(display); }

}  // namespace

// The X screen is larger than weston's output, so the X pointer can rest
// outside it and weston draws no pointer over the windows.
WaylandSession::WaylandSession() : x_(kOutputWidth + 100, kOutputHeight + 100) {
    char dir[] = "/tmp/qintara-wayland.XXXXXX";
    if (mkdtemp(dir) == nullptr) throw std::runtime_error("mkdtemp failed");
    runtimeDir_ = dir;
    const std::string config = runtimeDir_ + "/weston.ini";
    std::ofstream(config) << "[core]\nidle-time=0\n"
                             "[shell]\npanel-position=none\nbackground-color=0xff000000\nlocking=false\n"
                             "animation=none\nstartup-animation=none\n";

    weston_ = fork();
    if (weston_ == 0) {
        setenv("DISPLAY", x_.display().c_str(), 1);
        setenv("XDG_RUNTIME_DIR", runtimeDir_.c_str(), 1);
        unsetenv("WAYLAND_DISPLAY");
        const int log = open((runtimeDir_ + "/weston.log").c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        dup2(log, STDOUT_FILENO);
        dup2(log, STDERR_FILENO);
        const std::string width = "--width=" + std::to_string(kOutputWidth);
        const std::string height = "--height=" + std::to_string(kOutputHeight);
        const std::string socket = std::string("--socket=") + kSocket;
        const std::string configArg = "--config=" + config;
        execlp("weston", "weston", "--backend=x11-backend.so", "--use-pixman", width.c_str(), height.c_str(),
               socket.c_str(), configArg.c_str(), nullptr);
        _exit(127);
    }
    output_ = x_.waitForWindow("Weston Compositor", 60s);
    display_ = XOpenDisplay(x_.display().c_str());
    if (output_ == 0 || display_ == nullptr) {
        killAndReap(weston_, SIGTERM);
        throw std::runtime_error("weston did not start (are the weston and qt6-wayland packages installed?)");
    }
    // The X pointer rests outside weston's output.
    XWarpPointer(dpy(display_), None, DefaultRootWindow(dpy(display_)), 0, 0, 0, 0, kOutputWidth + 50,
                 kOutputHeight + 50);
    XSync(dpy(display_), False);
}

WaylandSession::~WaylandSession() {
    if (app_ > 0 && !exitCode_) {
        kill(app_, SIGKILL);
        waitpid(app_, nullptr, 0);
    }
    killAndReap(weston_, SIGTERM);
    if (display_ != nullptr) XCloseDisplay(dpy(display_));
    std::error_code ignored;
    std::filesystem::remove_all(runtimeDir_, ignored);
}

void WaylandSession::launch(const std::string& path) {
    app_ = fork();
    if (app_ == 0) {
        // A Wayland session as a desktop gives it, with no platform chosen;
        // there is no X display, so only a Wayland client can show a window.
        unsetenv("DISPLAY");
        unsetenv("QT_QPA_PLATFORM");
        setenv("XDG_SESSION_TYPE", "wayland", 1);
        setenv("WAYLAND_DISPLAY", kSocket, 1);
        setenv("XDG_RUNTIME_DIR", runtimeDir_.c_str(), 1);
        const int err = open((runtimeDir_ + "/stderr.txt").c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        dup2(err, STDERR_FILENO);
        execl(path.c_str(), path.c_str(), nullptr);
        _exit(127);
    }
    exitCode_.reset();
}

std::optional<WaylandSession::Area> WaylandSession::shownArea() {
    XImage* image = XGetImage(dpy(display_), output_, 0, 0, kOutputWidth, kOutputHeight, AllPlanes, ZPixmap);
    if (image == nullptr) return std::nullopt;
    // Rows and columns that a window crosses are mostly not background; the
    // pointer weston draws and stray pixels are too small to count.
    constexpr int kAtLeast = 100;
    std::vector<int> columns(kOutputWidth, 0), rows(kOutputHeight, 0);
    for (int y = 0; y < kOutputHeight; ++y) {
        for (int x = 0; x < kOutputWidth; ++x) {
            if ((XGetPixel(image, x, y) & 0xffffff) == 0) continue;
            ++columns[static_cast<std::size_t>(x)];
            ++rows[static_cast<std::size_t>(y)];
        }
    }
    XDestroyImage(image);
    const auto first = [&](const std::vector<int>& counts) {
        for (std::size_t i = 0; i < counts.size(); ++i) {
            if (counts[i] >= kAtLeast) return static_cast<int>(i);
        }
        return -1;
    };
    const auto last = [&](const std::vector<int>& counts) {
        for (std::size_t i = counts.size(); i-- > 0;) {
            if (counts[i] >= kAtLeast) return static_cast<int>(i);
        }
        return -1;
    };
    const int left = first(columns), right = last(columns), top = first(rows), bottom = last(rows);
    if (left < 0 || top < 0) return std::nullopt;
    return Area{left, top, right - left + 1, bottom - top + 1};
}

void WaylandSession::key(const std::string& keys) {
    XSetInputFocus(dpy(display_), output_, RevertToParent, CurrentTime);
    XSync(dpy(display_), False);
    x_.key(keys);
}

void WaylandSession::click(int x, int y) { x_.click(output_, x, y); }

std::optional<int> WaylandSession::waitForExit(std::chrono::milliseconds timeout) {
    if (exitCode_ || app_ <= 0) return exitCode_;
    exitCode_ = waitForChild(app_, timeout);
    return exitCode_;
}

std::string WaylandSession::appStderr() const {
    std::ifstream in(runtimeDir_ + "/stderr.txt");
    std::ostringstream all;
    all << in.rdbuf();
    return all.str();
}

}  // namespace e2e
