// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <string>

#include "app/banner_ticker.h"
#include "resources/embedded.h"
#include "runtime/widgets.h"
#include "tests/support/fixtures.h"

namespace {

using namespace testing_support;

std::string gb(std::string_view utf8) { return rt::Text::fromUtf8(utf8).bytes(); }

class BannerTickerTest : public ::testing::Test {
protected:
    std::unique_ptr<app::MainWindow> main = makeMainWindow();
    void SetUp() override { app::BannerText = rt::Text::fromBytes(res::bannerText); }
    void TearDown() override {
        app::BannerText.release();
        app::RevealedText.release();
    }
    // What the label draws: only whole characters.
    QString shown() { return static_cast<rt::PaintedLabel*>(main->bannerLabel.widget())->caption(); }
};

TEST_F(BannerTickerTest, TextIsElevenSegmentsOf390Bytes) {
    const std::string text(res::bannerText);
    ASSERT_EQ(text.size(), 390u);
    EXPECT_EQ(text.find_first_of("\r\n"), std::string::npos);
    const std::string full = "\xA1\xA1";
    EXPECT_EQ(text.substr(0, 38), gb("杜 绝 千 篇 一 律，入 党 要 有 心 意。"));
    struct Case {
        const char* name;
        std::size_t from, bytes;
        std::string want;
    } spaces[] = {
        {"Segment2", 38, 11, std::string(11, ' ')},
        {"Segment5", 239, 49, std::string(49, ' ')},
        {"Segment6", 288, 2, full},
        {"Segment7", 290, 76, std::string(76, ' ')},
        {"Segment8", 366, 4, full + full},
        {"Segment9", 370, 14, std::string(14, ' ')},
        {"Segment10", 384, 2, full},
        {"Segment11", 386, 4, std::string(4, ' ')},
    };
    for (const Case& c : spaces) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(text.substr(c.from, c.bytes), c.want);
    }
    std::string segment4;
    for (int i = 0; i < 41; ++i) segment4 += full;
    EXPECT_EQ(text.substr(157, 82), segment4);
    // The verse: 54 two-byte signs, the last of them the exclamation mark.
    const QString verse = QString::fromUtf8(rt::Text::fromBytes(text.substr(49, 108)).toUtf8());
    ASSERT_EQ(verse.size(), 54);
    EXPECT_EQ(verse.count(QChar(0xFF0C)), 6);
    EXPECT_EQ(verse.count(QChar(0x3002)), 3);
    EXPECT_EQ(verse.count(QChar(0xFF01)), 1);
    EXPECT_EQ(verse.back(), QChar(0xFF01));
    int han = 0;
    for (QChar c : verse) han += c.unicode() >= 0x4E00 && c.unicode() <= 0x9FFF;
    EXPECT_EQ(han, 44);
}

TEST_F(BannerTickerTest, TicksRevealOneByteAndStartOverAfter392) {
    const std::string text(res::bannerText);
    struct Case {
        const char* name;
        int tick;
        std::string caption;
        QString shown;
        int count;
    } cases[] = {
        {"FirstByteOfDu", 1, "\xB6", "", 1},
        {"Du", 2, gb("杜"), "杜", 2},
        {"DuSpace", 3, gb("杜 "), "杜 ", 3},
        {"HalfOfJue", 4, text.substr(0, 4), "杜 ", 4},
        {"WholeFirstSegment", 38, text.substr(0, 38), QString::fromUtf8("杜 绝 千 篇 一 律，入 党 要 有 心 意。"), 38},
        {"ExclamationComplete", 157, text.substr(0, 157), QString::fromUtf8(rt::Text::fromBytes(text.substr(0, 157)).toUtf8()), 157},
        {"WholeText", 390, text, QString::fromUtf8(rt::Text::fromBytes(text).toUtf8()), 390},
        {"WholeTextAgain", 391, text, QString::fromUtf8(rt::Text::fromBytes(text).toUtf8()), 391},
        {"LastOfCycle", 392, text, QString::fromUtf8(rt::Text::fromBytes(text).toUtf8()), 0},
        {"NextCycle", 393, "\xB6", "", 1},
        {"NextCycleDu", 394, gb("杜"), "杜", 2},
    };
    int tick = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        while (tick < c.tick) {
            app::BannerTimerTick();
            ++tick;
        }
        EXPECT_EQ(main->bannerLabel.caption().bytes(), c.caption);
        EXPECT_EQ(app::RevealedText.bytes(), c.caption);
        EXPECT_EQ(shown(), c.shown);
        EXPECT_EQ(app::RevealCount, c.count);
    }
}

TEST_F(BannerTickerTest, EmptyTextCyclesEveryTwoTicks) {
    app::BannerText.release();
    const int want[] = {1, 0, 1, 0};
    for (int count : want) {
        app::BannerTimerTick();
        EXPECT_EQ(app::RevealCount, count);
        EXPECT_TRUE(main->bannerLabel.caption().empty());
        EXPECT_TRUE(app::RevealedText.empty());
    }
}

}  // namespace
