// SPDX-License-Identifier: GPL-3.0-or-later
// The application's run time: starts the toolkit, loads windows, runs the
// message loop and nested modal loops, and ends the application with the
// exit clean-up called exactly once, whichever way it ends.
#pragma once

#include <functional>
#include <memory>

#include "runtime/controls.h"
#include "runtime/text.h"
#include "runtime/window.h"

namespace rt {

class Application {
public:
    Application(int& argc, char** argv);
    ~Application();
    Application(const Application&) = delete;
    Application& operator=(const Application&) = delete;

    static Application& instance();

    void registerExitCleanup(std::function<void()> routine);

    // Raises the window's created event (the handler), then shows the window,
    // unless the application was ended meanwhile.
    void loadStartupWindow(Window& window, const Handler& created);
    // Runs until the last window is gone or the application is ended;
    // returns the exit code after the exit clean-up has run.
    int messageLoop();

    // With no parent and modal: raises created, shows the window, disables every
    // other window (recording its state) and runs a nested loop that returns
    // once the window has been destroyed (or the application ended).
    void loadModal(Window& window, const Handler& created);
    // Carried out once the current handler has returned; a second request
    // before then does nothing.
    void destroyWindow(Window& window);

    // Ends at once: the exit clean-up runs, music stops, every loop returns and
    // no window is shown any more.
    void endApplication(int exitCode);
    bool ending() const { return ending_; }

    // Runs the exit clean-up if it has not run yet.
    void runExitCleanup();

private:
    struct Toolkit;
    std::unique_ptr<Toolkit> toolkit_;
    std::function<void()> exitCleanup_;
    bool cleanedUp_ = false;
    bool ending_ = false;
    int exitCode_ = 0;
};

// Ends the process with the code, once the Application is gone. A music
// worker still inside a library call is not waited for.
[[noreturn]] void exitProcess(int exitCode);

// A task-modal box with the text, the title, one OK button and no icon, owned
// by no window; timers and other events go on while it is open. The text can
// be selected and copied.
void messageBox(const Text& text, const Text& title);

// Tests answer message boxes themselves: while a handler is set, messageBox
// calls it instead of showing anything.
using MessageBoxHandler = std::function<void(const Text& text, const Text& title)>;
void setMessageBoxHandler(MessageBoxHandler handler);

}  // namespace rt
