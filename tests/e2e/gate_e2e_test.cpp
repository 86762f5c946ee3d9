// SPDX-License-Identifier: GPL-3.0-or-later
// The start-up gate as a user meets it: the real program on a private X
// server. Start-up under the sanitizers is slow, so the limits are generous
// and nothing here measures time.
#include <gtest/gtest.h>

#include "tests/e2e/x_session.h"

namespace {

using namespace e2e;

constexpr auto kAppears = 120s;
constexpr const char* kGate = "中国共产党.党章";
constexpr const char* kMain = "Qintara";

// Points inside the gate's controls, from its design.
constexpr int kReadX = 93 + 227 / 2, kReadY = 557 + 28 / 2;
constexpr int kNotReadX = 371 + 222 / 2, kNotReadY = 556 + 28 / 2;
constexpr int kTextX = 300, kTextY = 300;

class GateEndToEnd : public ::testing::Test {
protected:
    XSession x;
    Window gate = 0;

    void SetUp() override {
        x.launch(QINTARA_BINARY);
        gate = x.waitForWindow(kGate, kAppears);
        ASSERT_NE(gate, 0u) << "the constitution window did not appear; stderr:\n" << x.appStderr();
    }

    // Clicks until `done` holds: a click that arrives before the window
    // takes input is lost, so the click is repeated, never the check relaxed.
    template <class Done>
    bool clickUntil(int px, int py, Done done) {
        for (int attempt = 0; attempt < 10; ++attempt) {
            if (!x.viewable(gate)) return done();
            x.click(gate, px, py);
            if (done()) return true;
        }
        return false;
    }
};

TEST_F(GateEndToEnd, NotReadButtonEndsTheProgramAndTheMainWindowNeverAppears) {
    EXPECT_FALSE(x.everMapped(kMain));
    std::optional<int> code;
    ASSERT_TRUE(clickUntil(kNotReadX, kNotReadY, [&] { return (code = x.waitForExit(10s)).has_value(); }));
    EXPECT_EQ(code, 0);
    EXPECT_FALSE(x.everMapped(kMain));
    // No audio device here: silence, and not a word about it.
    EXPECT_EQ(x.appStderr().find("ALSA"), std::string::npos) << x.appStderr();
}

TEST_F(GateEndToEnd, EscInATextBoxShowsTheMainWindow) {
    Window main = 0;
    ASSERT_TRUE(clickUntil(kTextX, kTextY, [&] {
        x.key("Escape");
        return (main = x.waitForWindow(kMain, 10s)) != 0;
    }));
    EXPECT_FALSE(x.viewable(gate));
    x.requestClose(main);
    EXPECT_EQ(x.waitForExit(kAppears), 0);
}

TEST_F(GateEndToEnd, ReadButtonShowsTheMainWindowAndClosingItEndsTheProgram) {
    Window main = 0;
    ASSERT_TRUE(clickUntil(kReadX, kReadY, [&] { return (main = x.waitForWindow(kMain, 10s)) != 0; }));
    EXPECT_FALSE(x.viewable(gate));
    EXPECT_TRUE(x.everMapped(kMain));
    EXPECT_FALSE(x.waitForExit(0ms).has_value()) << "the program ended with the gate";
    x.requestClose(main);
    EXPECT_EQ(x.waitForExit(kAppears), 0);
    EXPECT_EQ(x.appStderr().find("ALSA"), std::string::npos) << x.appStderr();
}

}  // namespace
