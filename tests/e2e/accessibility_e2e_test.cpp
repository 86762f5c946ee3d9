// SPDX-License-Identifier: GPL-3.0-or-later
// Qintara as a screen reader meets it: the real program on a private X server
// and a private accessibility bus, looked at and driven through AT-SPI alone.
// The test binary runs under dbus-run-session, so the session bus is its own.
#include <gtest/gtest.h>
#include <iconv.h>
#include <signal.h>

#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

#include "tests/e2e/atspi_client.h"
#include "tests/e2e/x_session.h"

namespace {

using namespace e2e;

constexpr auto kAppears = 120s;
constexpr const char* kApp = "qintara";
constexpr const char* kReaderCaption = "                               中国共产党.党章";
constexpr const char* kMainCaption = " Qintara (申请书范文生成)                 [Vorlane]";
constexpr std::string_view kBannerStart = "杜 绝 千 篇 一 律，入 党 要 有 心 意。";

// The session bus is the test's own; the accessibility bus beside it is
// started by the session bus when libatspi first asks for it, and ends with it.
class AccessibilityBus : public ::testing::Environment {
public:
    void SetUp() override {
        ASSERT_NE(std::getenv("DBUS_SESSION_BUS_ADDRESS"), nullptr) << "run this test under dbus-run-session";
        // The programs find the bus through the session bus, never through
        // the properties of some X server the caller happens to have.
        unsetenv("DISPLAY");
        setenv("QT_LINUX_ACCESSIBILITY_ALWAYS_ON", "1", 1);
        initAtspi();
    }
};

const auto* const kBus = ::testing::AddGlobalTestEnvironment(new AccessibilityBus);

struct Expected {
    std::string role;
    std::string name;
    bool showing = true;
    std::string description = {};
};

// Every object of the window a user can meet; the parts the toolkit adds
// inside a control (scroll bars, viewports, the tab row's arrows) and the
// plain pages of the tab control are left out.
std::vector<Accessible> controlsOf(const Accessible& window) {
    std::vector<Accessible> found;
    for (const Accessible& child : window.children()) {
        const std::string role = child.role();
        if (role == "page tab list") {
            for (const Accessible& tab : child.children()) {
                if (tab.role() == "page tab") found.push_back(tab);
            }
            continue;
        }
        if (role != "filler") found.push_back(child);
        if (role != "text") {
            const std::vector<Accessible> inner = controlsOf(child);
            found.insert(found.end(), inner.begin(), inner.end());
        }
    }
    return found;
}

// Each row must match one control of its own; no control may be left over.
void expectControls(const Accessible& window, std::vector<Expected> rows, std::string_view banner = {}) {
    std::vector<Accessible> controls = controlsOf(window);
    for (const Expected& row : rows) {
        SCOPED_TRACE(row.role + " \"" + row.name + "\"");
        auto match = std::find_if(controls.begin(), controls.end(), [&](const Accessible& a) {
            return a.role() == row.role && a.name() == row.name && a.showing() == row.showing;
        });
        ASSERT_NE(match, controls.end());
        // Off-screen boxes too: the Tab key still visits them.
        if (row.role == "text") {
            EXPECT_TRUE(match->focusable());
        }
        if (!row.description.empty()) {
            EXPECT_EQ(match->description(), row.description);
        }
        controls.erase(match);
    }
    if (!banner.empty()) {
        // The ticker shows some part of its text at any moment.
        auto ticker = std::find_if(controls.begin(), controls.end(), [&](const Accessible& a) {
            return a.role() == "label" && banner.starts_with(a.name().substr(0, banner.size()));
        });
        ASSERT_NE(ticker, controls.end()) << "the banner ticker is not exposed";
        controls.erase(ticker);
    }
    for (const Accessible& extra : controls) ADD_FAILURE() << "unexpected " << extra.role() << " \"" << extra.name() << '"';
}

Accessible frameNamed(const Accessible& app, const std::string& caption) {
    return waitFor([&] { return app.find("frame", caption); }, kAppears);
}

// What the count is made of: the letter's bytes in the program's encoding,
// with CR LF line ends, counted in two-byte characters.
std::string countCaptionFor(std::string letter) {
    std::string crlf;
    for (char c : letter) crlf += c == '\n' ? std::string("\r\n") : std::string(1, c);
    iconv_t convert = iconv_open("GB18030", "UTF-8");
    std::string out(crlf.size() * 4, '\0');
    char* in = crlf.data();
    char* to = out.data();
    std::size_t inLeft = crlf.size(), outLeft = out.size();
    iconv(convert, &in, &inLeft, &to, &outLeft);
    iconv_close(convert);
    const std::size_t bytes = out.size() - outLeft;
    return "生成：" + std::to_string(bytes / 2) + (bytes % 2 ? ".5" : "") + " 字";
}

class AccessibilityEndToEnd : public ::testing::Test {
protected:
    XSession x;
    Accessible app;

    void SetUp() override {
        x.launch(QINTARA_BINARY);
        app = waitForApplication(kApp, kAppears);
        ASSERT_TRUE(app) << "the program never appeared on the accessibility bus; stderr:\n" << x.appStderr();
    }
    void TearDown() override { kill(x.pid(), SIGTERM); }

    Accessible passTheReader() {
        const Accessible reader = frameNamed(app, kReaderCaption);
        if (!reader) return {};
        const Accessible read = reader.find("push button", "以上党章内容我以熟读");
        if (!read || !read.press()) return {};
        return frameNamed(app, kMainCaption);
    }
};

TEST_F(AccessibilityEndToEnd, EveryControlOfBothWindowsHasTheRoleAndNameAUserReads) {
    const Accessible reader = frameNamed(app, kReaderCaption);
    ASSERT_TRUE(reader) << "the reader is not a frame named by its caption";
    expectControls(reader, {
        {"push button", "以上党章内容我以熟读", true, "以上党章内容我以熟读."},
        {"push button", "没有熟读党章内容", true, "没有熟读党章内容。"},
        {"page tab", " 总 纲： "},
        {"page tab", " 党 章： "},
        {"text", "总纲"},
        {"text", "党章", false},  // on the page not shown
        {"text", "", false},      // OffscreenBox
    });

    const Accessible main = passTheReader();
    ASSERT_TRUE(main) << "the main window is not a frame named by its caption";
    expectControls(main,
                   {
                       {"image", ""},
                       {"panel", "个人资料 （除姓名外其余可选择性添写）："},
                       {"label", "姓名："},
                       {"text", "姓名"},
                       {"label", "单位："},
                       {"text", "单位"},
                       {"label", "职务："},
                       {"text", "职务"},
                       {"label", "年龄："},
                       {"text", "年龄"},
                       {"panel", "风格设置："},
                       {"check box", "进取型"},
                       {"check box", "稳重型"},
                       {"check box", "激昂型"},
                       {"check box", "保守型"},
                       {"check box", "开放型"},
                       {"check box", "低调型"},
                       {"panel", "入党申请书范文生成："},
                       {"text", "入党申请书范文"},
                       {"label", ""},  // CountLabel, before the first letter
                       {"link", "Vorlane：vorlane.example     V1.5", true, "http://vorlane.example/"},
                       {"push button", "生 成"},
                       {"push button", "保 存"},
                       {"push button", "打 印"},
                       // The three boxes above the client area: tab stops, but off-screen.
                       {"text", "", false},
                       {"text", "", false},
                       {"text", "", false},
                   },
                   kBannerStart);
}

bool isBannerPart(const std::string& name) { return kBannerStart.starts_with(name.substr(0, kBannerStart.size())); }

TEST_F(AccessibilityEndToEnd, ALetterIsWrittenAndReadBackThroughTheAccessibilityBusAlone) {
    const Accessible main = passTheReader();
    ASSERT_TRUE(main);
    NameChanges announced;
    const auto bannerShows = [&] {
        return main.find([](const Accessible& a) { return a.role() == "label" && !a.name().empty() && isBannerPart(a.name()); });
    };
    const Accessible banner = waitFor(bannerShows, kAppears);
    ASSERT_TRUE(banner) << "the banner ticker is not exposed";
    const std::string bannerBefore = banner.name();

    const Accessible name = main.find("text", "姓名");
    ASSERT_TRUE(name);
    ASSERT_TRUE(name.setText("张三"));
    ASSERT_TRUE(main.find("push button", "生 成").press());

    const Accessible letterBox = main.find("text", "入党申请书范文");
    ASSERT_TRUE(letterBox);
    std::string letter;
    waitFor(
        [&] {
            letter = letterBox.text();
            return letter.empty() ? Accessible() : letterBox;
        },
        kAppears);
    EXPECT_TRUE(letter.starts_with("                                 入 党 申 请 书\n")) << letter;
    EXPECT_NE(letter.find("    申请人： 张三\n"), std::string::npos) << letter;

    // The count is read where a sighted user reads it, beside the buttons.
    const Accessible count = main.find([](const Accessible& a) { return a.role() == "label" && a.name().starts_with("生成："); });
    ASSERT_TRUE(count) << "the count is not exposed";
    EXPECT_EQ(count.name(), countCaptionFor(letter));

    // The count's change is announced; the ticker, which kept ticking
    // meanwhile, announced none of its changes.
    waitFor([&] { return std::ranges::count(announced.names(), count.name()) > 0 ? count : Accessible(); }, kAppears);
    EXPECT_EQ(std::ranges::count(announced.names(), count.name()), 1);
    ASSERT_TRUE(waitFor([&] { return banner.name() != bannerBefore ? banner : Accessible(); }, kAppears));
    for (const std::string& name : announced.names()) EXPECT_FALSE(isBannerPart(name)) << "announced: " << name;
}

}  // namespace
