// SPDX-License-Identifier: GPL-3.0-or-later
// Test entry point: one QApplication per test binary, headless unless the
// caller chose a platform.
#include <gtest/gtest.h>

#include <cstdlib>

#include "runtime/application.h"

int main(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    ::testing::InitGoogleTest(&argc, argv);
    rt::Application application(argc, argv);
    return RUN_ALL_TESTS();
}
