// SPDX-License-Identifier: GPL-3.0-or-later
// The main window as a user meets it: past the gate, a name typed (pasted, as
// an input method would commit it), 生 成 pressed, the letter copied out.
#include <gtest/gtest.h>

#include "tests/e2e/x_session.h"

namespace {

using namespace e2e;

constexpr auto kAppears = 120s;

// Points inside controls, from the designs.
constexpr int kReadX = 93 + 227 / 2, kReadY = 557 + 28 / 2;
constexpr int kNameX = 71 + 40, kNameY = 92 + 22 + 10;
constexpr int kGenerateX = 122 + 95, kGenerateY = 552 + 12;
constexpr int kLetterX = 2 + 300, kLetterY = 219 + 19 + 150;

TEST(MainWindowEndToEnd, OpensCentredAndWritesALetterForATypedName) {
    XSession x(1024, 768);
    x.launch(QINTARA_BINARY);
    const Window gate = x.waitForWindow("中国共产党.党章", kAppears);
    ASSERT_NE(gate, 0u) << x.appStderr();
    Window main = 0;
    for (int attempt = 0; attempt < 10 && main == 0; ++attempt) {
        if (x.viewable(gate)) x.click(gate, kReadX, kReadY);
        main = x.waitForWindow("Qintara", 10s);
    }
    ASSERT_NE(main, 0u) << x.appStderr();

    // No window manager here, so the client area stands where the program put it.
    const XSession::Geometry area = x.geometry(main);
    EXPECT_EQ(area.x, 159);
    EXPECT_EQ(area.y, 78);
    EXPECT_EQ(area.width, 699);
    EXPECT_EQ(area.height, 579);

    x.setClipboard("张三");
    std::string letter;
    for (int attempt = 0; attempt < 10 && letter.find("申请人") == std::string::npos; ++attempt) {
        x.click(main, kNameX, kNameY);
        x.key("ctrl+a");
        x.key("ctrl+v");
        x.click(main, kGenerateX, kGenerateY);
        x.click(main, kLetterX, kLetterY);
        x.key("ctrl+a");
        x.key("ctrl+c");
        letter = x.clipboard();
        x.setClipboard("张三");
    }
    EXPECT_NE(letter.find("入 党 申 请 书"), std::string::npos) << letter;
    EXPECT_NE(letter.find("尊敬的党组织："), std::string::npos);
    EXPECT_NE(letter.find("    申请人： 张三\n"), std::string::npos);
    EXPECT_TRUE(letter.ends_with("敬 礼")) << letter.substr(letter.size() > 40 ? letter.size() - 40 : 0);

    x.requestClose(main);
    EXPECT_EQ(x.waitForExit(kAppears), 0);
}

}  // namespace
