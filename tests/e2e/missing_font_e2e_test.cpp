// SPDX-License-Identifier: GPL-3.0-or-later
// On a system with no font for Chinese the program says so once, in a box
// a user can read, and on stderr, and shows none of its own windows.
#include <gtest/gtest.h>

#include <cstdlib>

#include "tests/e2e/x_session.h"

namespace {

using namespace e2e;

TEST(MissingFontEndToEnd, SaysWhichPackageToInstallAndEnds) {
    XSession x;
    setenv("FONTCONFIG_FILE", FIXTURES "/no_chinese_fonts.conf", 1);
    x.launch(QINTARA_BINARY);
    unsetenv("FONTCONFIG_FILE");
    const Window box = x.waitForWindow("Qintara", 120s);
    ASSERT_NE(box, 0u) << x.appStderr();
    EXPECT_EQ(x.appStderr(), "qintara: no font for Chinese text is installed; install the package fonts-noto-cjk\n");

    x.key("Return");
    EXPECT_EQ(x.waitForExit(30s), 1);
    EXPECT_FALSE(x.everMapped("党章"));
}

}  // namespace
