// SPDX-License-Identifier: GPL-3.0-or-later
// Qintara on a Wayland desktop: started with a Wayland session and no X
// display, it must come up as a Wayland client, pass the reader on Esc and
// end with 0 when its main window is closed.
#include <gtest/gtest.h>

#include <functional>
#include <thread>

#include "tests/e2e/wayland_session.h"

namespace {

using namespace e2e;
using Area = WaylandSession::Area;

constexpr auto kAppears = 120s;
// The client areas from the designs; the compositor adds nothing, the
// toolkit draws a frame of its own around each window.
constexpr int kReaderWidth = 661, kMainWidth = 699, kMainHeight = 579;
constexpr int kFrameAtMost = 40;

std::optional<Area> waitForArea(WaylandSession& wayland, const std::function<bool(const Area&)>& wanted,
                                std::chrono::milliseconds timeout) {
    const auto until = std::chrono::steady_clock::now() + timeout;
    std::optional<Area> before;
    do {
        // The same area twice in a row: no window is still coming or going.
        const std::optional<Area> now = wayland.shownArea();
        if (now && before && wanted(*now) && now->x == before->x && now->y == before->y && now->width == before->width &&
            now->height == before->height)
            return now;
        before = now;
        std::this_thread::sleep_for(200ms);
    } while (std::chrono::steady_clock::now() < until);
    return std::nullopt;
}

TEST(WaylandEndToEnd, TheReaderGivesWayToTheMainWindowOnEscAndClosingItEndsTheProgram) {
    WaylandSession wayland;
    wayland.launch(QINTARA_BINARY);
    const auto isReader = [](const Area& a) { return a.width >= kReaderWidth && a.width < kMainWidth; };
    const auto isMain = [](const Area& a) {
        return a.width >= kMainWidth && a.width < kMainWidth + kFrameAtMost && a.height >= kMainHeight &&
               a.height < kMainHeight + kFrameAtMost;
    };
    ASSERT_TRUE(waitForArea(wayland, isReader, kAppears)) << "the reader did not appear; stderr:\n"
                                                          << wayland.appStderr();

    // A key that arrives before the window has the seat's focus is lost, so
    // the key is repeated, never the check relaxed.
    std::optional<Area> main;
    for (int attempt = 0; attempt < 10 && !main; ++attempt) {
        wayland.key("Escape");
        main = waitForArea(wayland, isMain, 10s);
    }
    ASSERT_TRUE(main) << "Esc did not bring the main window; stderr:\n" << wayland.appStderr();
    EXPECT_FALSE(wayland.waitForExit(0ms).has_value()) << "the program ended with the reader";

    // The close box ends the title bar the toolkit draws at the top right.
    std::optional<int> code;
    for (int attempt = 0; attempt < 10 && !code; ++attempt) {
        wayland.click(main->right() - 17, main->y + 14);
        code = wayland.waitForExit(10s);
    }
    EXPECT_EQ(code, 0) << wayland.appStderr();
}

}  // namespace
