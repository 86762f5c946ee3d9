// SPDX-License-Identifier: GPL-3.0-or-later
// Start-up and shutdown: the order the program starts in, the work done once
// the main window exists, and the clean-up when it ends.
#pragma once

#include "runtime/application.h"

namespace app {

// Registers the clean-up, loads MainWindow, runs the message loop; returns
// the exit code.
int StartUp(rt::Application& application);

void MainWindowCreated();
void ExitCleanup();

}  // namespace app
