// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/startup.h"
#include "runtime/chinese_font.h"
#include "runtime/command_line.h"

int main(int argc, char** argv) {
    // --help and --version are answered before any window system is needed.
    if (const auto answered = rt::answerCommandLine(argc, argv)) return *answered;
    int exitCode = 0;
    {
        rt::Application application(argc, argv);
        if (!rt::chineseFontInstalled()) {
            rt::reportMissingChineseFont();
            return 1;
        }
        exitCode = app::StartUp(application);
    }
    rt::exitProcess(exitCode);
}
