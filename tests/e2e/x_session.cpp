// SPDX-License-Identifier: GPL-3.0-or-later
#include "tests/e2e/x_session.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <thread>

namespace e2e {
namespace {

Display* dpy(void* x) { return static_cast<Display*>(x); }

// Windows come and go while we look at them; a vanished one is not an error.
int ignoreXErrors(Display*, XErrorEvent*) { return 0; }

[[noreturn]] void execOrDie(const std::vector<std::string>& argv) {
    std::vector<char*> args;
    for (const std::string& a : argv) args.push_back(const_cast<char*>(a.c_str()));
    args.push_back(nullptr);
    execvp(args[0], args.data());
    _exit(127);
}


}  // namespace

void killAndReap(pid_t pid, int signal) {
    if (pid <= 0) return;
    kill(pid, signal);
    for (int i = 0; i < 200; ++i) {
        if (waitpid(pid, nullptr, WNOHANG) != 0) return;
        std::this_thread::sleep_for(10ms);
    }
    kill(pid, SIGKILL);
    waitpid(pid, nullptr, 0);
}

XSession::XSession(int width, int height) {
    int ready[2];
    if (pipe(ready) != 0) throw std::runtime_error("pipe failed");
    xvfb_ = fork();
    if (xvfb_ == 0) {
        close(ready[0]);
        const int devnull = open("/dev/null", O_WRONLY);
        dup2(devnull, STDOUT_FILENO);
        dup2(devnull, STDERR_FILENO);
        // -displayfd picks a free display and writes its number once the
        // server accepts connections.
        execOrDie({"Xvfb", "-displayfd", std::to_string(ready[1]), "-nolisten", "tcp", "-noreset", "-screen", "0",
                   std::to_string(width) + "x" + std::to_string(height) + "x24"});
    }
    close(ready[1]);
    std::string number;
    pollfd wait{ready[0], POLLIN, 0};
    while (number.find('\n') == std::string::npos && poll(&wait, 1, 30000) > 0) {
        char buffer[16];
        const ssize_t got = read(ready[0], buffer, sizeof buffer);
        if (got <= 0) break;
        number.append(buffer, static_cast<std::size_t>(got));
    }
    close(ready[0]);
    if (number.find('\n') == std::string::npos) {
        killAndReap(xvfb_, SIGTERM);
        throw std::runtime_error("Xvfb did not start (is the xvfb package installed?)");
    }
    display_ = ":" + number.substr(0, number.find('\n'));

    XSetErrorHandler(ignoreXErrors);
    x_ = XOpenDisplay(display_.c_str());
    if (x_ == nullptr) {
        killAndReap(xvfb_, SIGTERM);
        throw std::runtime_error("cannot open display " + display_);
    }
    XSelectInput(dpy(x_), DefaultRootWindow(dpy(x_)), SubstructureNotifyMask);
    XSync(dpy(x_), False);

    char dir[] = "/tmp/qintara-e2e.XXXXXX";
    if (mkdtemp(dir) == nullptr) throw std::runtime_error("mkdtemp failed");
    runtimeDir_ = dir;
    stderrPath_ = runtimeDir_ + "/stderr.txt";
}

XSession::~XSession() {
    if (app_ > 0 && !exitCode_) killAndReap(app_, SIGKILL);
    if (x_ != nullptr) XCloseDisplay(dpy(x_));
    killAndReap(xvfb_, SIGTERM);
    std::error_code ignored;
    std::filesystem::remove_all(runtimeDir_, ignored);
}

void XSession::launch(const std::string& path, const std::vector<std::string>& args) {
    app_ = fork();
    if (app_ == 0) {
        setenv("DISPLAY", display_.c_str(), 1);
        setenv("XDG_RUNTIME_DIR", runtimeDir_.c_str(), 1);
        setenv("QT_QPA_PLATFORM", "xcb", 1);
        const int err = open(stderrPath_.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        dup2(err, STDERR_FILENO);
        std::vector<std::string> argv{path};
        argv.insert(argv.end(), args.begin(), args.end());
        execOrDie(argv);
    }
    exitCode_.reset();
}

std::string XSession::nameOf(Window window) {
    Display* d = dpy(x_);
    const Atom netName = XInternAtom(d, "_NET_WM_NAME", False);
    const Atom utf8 = XInternAtom(d, "UTF8_STRING", False);
    Atom type = None;
    int format = 0;
    unsigned long items = 0, after = 0;
    unsigned char* data = nullptr;
    std::string name;
    if (XGetWindowProperty(d, window, netName, 0, 1024, False, utf8, &type, &format, &items, &after, &data) == Success &&
        data != nullptr) {
        name.assign(reinterpret_cast<char*>(data), items);
        XFree(data);
    }
    if (name.empty()) {
        char* plain = nullptr;
        if (XFetchName(d, window, &plain) && plain != nullptr) {
            name = plain;
            XFree(plain);
        }
    }
    return name;
}

void XSession::pump() {
    Display* d = dpy(x_);
    while (XPending(d) > 0) {
        XEvent event;
        XNextEvent(d, &event);
        if (event.type == MapNotify) mapped_.push_back(nameOf(event.xmap.window));
    }
}

bool XSession::viewable(Window window) {
    XWindowAttributes attributes;
    if (XGetWindowAttributes(dpy(x_), window, &attributes) == 0) return false;
    return attributes.map_state == IsViewable;
}

Window XSession::waitForWindow(std::string_view name, std::chrono::milliseconds timeout) {
    const auto until = std::chrono::steady_clock::now() + timeout;
    Display* d = dpy(x_);
    do {
        pump();
        ::Window root = 0, parent = 0, *children = nullptr;
        unsigned int count = 0;
        if (XQueryTree(d, DefaultRootWindow(d), &root, &parent, &children, &count) != 0) {
            Window found = 0;
            for (unsigned int i = 0; i < count && found == 0; ++i) {
                if (viewable(children[i]) && nameOf(children[i]).find(name) != std::string::npos) found = children[i];
            }
            if (children != nullptr) XFree(children);
            if (found != 0) return found;
        }
        std::this_thread::sleep_for(20ms);
    } while (std::chrono::steady_clock::now() < until);
    return 0;
}

bool XSession::everMapped(std::string_view name) {
    pump();
    for (const std::string& seen : mapped_) {
        if (seen.find(name) != std::string::npos) return true;
    }
    return false;
}

int XSession::run(const std::vector<std::string>& argv, const std::string& output) {
    const pid_t child = fork();
    if (child == 0) {
        setenv("DISPLAY", display_.c_str(), 1);
        const int out = open(output.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        dup2(out, STDOUT_FILENO);
        execOrDie(argv);
    }
    int status = 0;
    waitpid(child, &status, 0);
    pump();
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

void XSession::click(Window window, int x, int y) {
    run({"xdotool", "mousemove", "--window", std::to_string(window), "--sync", std::to_string(x), std::to_string(y),
         "click", "1"});
}

void XSession::setClipboard(const std::string& text) {
    const std::string path = runtimeDir_ + "/clipboard-in.txt";
    std::ofstream(path, std::ios::binary) << text;
    // xclip stays behind in the background to serve the selection.
    run({"xclip", "-selection", "clipboard", "-i", path});
}

std::string XSession::clipboard() {
    const std::string path = runtimeDir_ + "/clipboard-out.txt";
    run({"xclip", "-selection", "clipboard", "-o"}, path);
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

XSession::Geometry XSession::geometry(Window window) {
    Display* d = dpy(x_);
    XWindowAttributes attributes{};
    if (XGetWindowAttributes(d, window, &attributes) == 0) return {};
    int x = 0, y = 0;
    ::Window child = 0;
    XTranslateCoordinates(d, window, DefaultRootWindow(d), 0, 0, &x, &y, &child);
    return {x, y, attributes.width, attributes.height};
}

std::vector<std::uint32_t> XSession::pixels(Window window, int x, int y, int width, int height) {
    XImage* shot = XGetImage(dpy(x_), window, x, y, static_cast<unsigned>(width), static_cast<unsigned>(height),
                             AllPlanes, ZPixmap);
    if (shot == nullptr) return {};
    std::vector<std::uint32_t> colours;
    colours.reserve(static_cast<std::size_t>(width) * static_cast<std::size_t>(height));
    for (int row = 0; row < height; ++row)
        for (int column = 0; column < width; ++column)
            colours.push_back(static_cast<std::uint32_t>(XGetPixel(shot, column, row)) & 0xffffffu);
    XDestroyImage(shot);
    return colours;
}

void XSession::key(const std::string& keys) { run({"xdotool", "key", "--delay", "50", keys}); }

void XSession::requestClose(Window window) {
    Display* d = dpy(x_);
    XEvent event{};
    event.xclient.type = ClientMessage;
    event.xclient.window = window;
    event.xclient.message_type = XInternAtom(d, "WM_PROTOCOLS", False);
    event.xclient.format = 32;
    event.xclient.data.l[0] = static_cast<long>(XInternAtom(d, "WM_DELETE_WINDOW", False));
    event.xclient.data.l[1] = CurrentTime;
    XSendEvent(d, window, False, NoEventMask, &event);
    XFlush(d);
}

std::optional<int> waitForChild(pid_t pid, std::chrono::milliseconds timeout, const std::function<void()>& meanwhile) {
    const auto until = std::chrono::steady_clock::now() + timeout;
    do {
        int status = 0;
        if (waitpid(pid, &status, WNOHANG) == pid) return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
        if (meanwhile) meanwhile();
        std::this_thread::sleep_for(10ms);
    } while (std::chrono::steady_clock::now() < until);
    return std::nullopt;
}

std::optional<int> XSession::waitForExit(std::chrono::milliseconds timeout) {
    if (exitCode_ || app_ <= 0) return exitCode_;
    exitCode_ = waitForChild(app_, timeout, [this] { pump(); });
    pump();
    return exitCode_;
}

std::string XSession::appStderr() const {
    std::ifstream in(stderrPath_);
    std::ostringstream all;
    all << in.rdbuf();
    return all.str();
}

}  // namespace e2e
