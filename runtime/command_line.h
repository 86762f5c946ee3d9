// SPDX-License-Identifier: GPL-3.0-or-later
// The few options a desktop program answers before it opens any window:
// --help and --version print and end the program, anything unknown ends it
// with a usage error. Qt's own options (-platform, -style, ...) are accepted
// and left to the toolkit. Nothing here needs a display.
#pragma once

#include <optional>

namespace rt {

// The exit code when the command line has settled the run (help, version,
// a usage error: 0, 0, 2); nothing when the program should start.
std::optional<int> answerCommandLine(int argc, char** argv);

}  // namespace rt
