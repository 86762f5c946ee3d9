// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <QScrollBar>

#include "letter/composer.h"
#include "letter/corpus.h"
#include "tests/support/fixtures.h"

namespace {

using letter::NameVerdict;
using letter::Picks;
using rt::Text;
using namespace testing_support;

TEST(RandomGenerator, FirstNumbersAfterKnownSeeds) {
    letter::RandomGenerator generator;
    generator.seed(0);
    EXPECT_EQ(generator.next(), 38);
    generator.seed(1000);
    EXPECT_EQ(generator.next(), 3304);
}

TEST(DrawPicks, SeedsFromFreshReadingsAsSignedNumbers) {
    struct Case {
        const char* name;
        std::vector<std::uint32_t> readings;  // t1..t5, the last one repeating
        std::int32_t memoryBefore;
        Picks want;
        std::int32_t memoryAfter;
    } cases[] = {
        {"Readings1000", {1000}, 0, {12, 30, 16, 2}, 12},
        {"Readings1000RepeatRedraws", {1000}, 12, {8, 30, 16, 2}, 0},
        {"ReadingsZero", {0}, 0, {2, 9, 3, 21}, 2},
        {"EachStepReadsAgain", {1000, 5, 7, 1, 2}, 0, {12, 12, 13, 5}, 12},
        // 0x80000001 is negative: seeds -2147483647, 2, 0xC0000001, 4.
        {"NegativeReading", {0x80000001u}, 0, {5, 16, 10, 2}, 5},
        // The redraw may give the same number again; it is not compared twice.
        {"RedrawMayRepeat", {0x80000001u}, 5, {5, 16, 10, 2}, 0},
        // -1: 2t is 0xFFFFFFFE, t/2 is 0 (cut toward zero), t+t+2 is 0.
        {"MinusOne", {0xFFFFFFFFu}, 0, {36, 3, 3, 14}, 36},
        {"LargestPositive", {0x7FFFFFFFu}, 0, {36, 3, 4, 14}, 36},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::size_t next = 0;
        const auto readTick = [&] { return c.readings[std::min(next++, c.readings.size() - 1)]; };
        letter::RandomGenerator generator;
        std::int32_t memory = c.memoryBefore;
        const Picks got = letter::drawPicks(generator, memory, readTick);
        EXPECT_EQ(got.opening, c.want.opening);
        EXPECT_EQ(got.body, c.want.body);
        EXPECT_EQ(got.resolve, c.want.resolve);
        EXPECT_EQ(got.closing, c.want.closing);
        EXPECT_EQ(memory, c.memoryAfter);
        if (c.readings.size() > 1) {
            EXPECT_EQ(next, 5u) << "five tick readings per letter";
        }
    }
}

TEST(CheckName, RefusesOnlyRealLettersAndDigitsAtTheEnds) {
    const Text forbidden = Text::fromUtf8("abcdefghijklmnopqrstuvwxyz1234567890ABCDEFGHIJKLMNOPQRSTUVWXYZ");
    struct Case {
        const char* name;
        std::string_view utf8;
        NameVerdict want;
    } cases[] = {
        {"Empty", "", NameVerdict::Missing},
        {"OneLetterIsCharsNotShort", "a", NameVerdict::LetterOrDigitAtEnd},
        {"OneCharacter", "张", NameVerdict::TooShort},
        {"English", "Tom", NameVerdict::LetterOrDigitAtEnd},
        {"LeadingLetter", "a张三", NameVerdict::LetterOrDigitAtEnd},
        {"TrailingDigit", "张三1", NameVerdict::LetterOrDigitAtEnd},
        {"LeadingDigit", "1张三", NameVerdict::LetterOrDigitAtEnd},
        {"LetterInside", "张a三", NameVerdict::Accepted},
        {"TwoCharacters", "张三", NameVerdict::Accepted},
        {"ThreeSpaces", "   ", NameVerdict::TooShort},
        {"FourSpaces", "    ", NameVerdict::Accepted},
        {"TrailingSpace", "张三 ", NameVerdict::Accepted},
        // Second bytes in 0x40..0x7E: 玥 AB 68 ("h"), 珺 AC 42 ("B"), 璟 AD 5A ("Z"), 祎 B5 74 ("t").
        {"LiYue", "李玥", NameVerdict::Accepted},
        {"WangJun", "王珺", NameVerdict::Accepted},
        {"ZhangJing", "张璟", NameVerdict::Accepted},
        {"LiuYi", "刘祎", NameVerdict::Accepted},
        {"OutsideGbk", "王䶮", NameVerdict::Accepted},
        // 𠀀 is 95 32 82 36: it ends in the byte of "6".
        {"EndsInFourByteForm", "张𠀀", NameVerdict::Accepted},
        {"StartsWithFourByteForm", "㐀三", NameVerdict::Accepted},
        {"FourByteFormThenDigit", "张𠀀6", NameVerdict::LetterOrDigitAtEnd},
        {"HalfFormAfterLetter", "玥a", NameVerdict::LetterOrDigitAtEnd},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(letter::checkName(Text::fromUtf8(c.utf8), forbidden), c.want);
    }
}

TEST(CheckName, RefusesCharactersThatCannotBeSeenAfterTheOtherChecks) {
    const Text forbidden = Text::fromUtf8("abcdefghijklmnopqrstuvwxyz1234567890ABCDEFGHIJKLMNOPQRSTUVWXYZ");
    using namespace std::string_view_literals;
    struct Case {
        const char* name;
        std::string_view utf8;
        NameVerdict want;
    } cases[] = {
        {"LineFeed", "张三\n李四\n申请日期： 1999年1月1日", NameVerdict::InvisibleCharacter},
        {"CarriageReturnLineFeed", "张三\r\n李四", NameVerdict::InvisibleCharacter},
        {"Nul", "张\0三"sv, NameVerdict::InvisibleCharacter},
        {"Tab", "张\t三", NameVerdict::InvisibleCharacter},
        {"Escape", "张\x1B三", NameVerdict::InvisibleCharacter},
        {"Delete", "张\x7F三", NameVerdict::InvisibleCharacter},
        {"C1NextLine", "张\u0085三", NameVerdict::InvisibleCharacter},
        {"RightToLeftOverride", "\u202E张三", NameVerdict::InvisibleCharacter},
        {"LeftToRightMark", "张三\u200E", NameVerdict::InvisibleCharacter},
        {"FirstStrongIsolate", "张\u2068三", NameVerdict::InvisibleCharacter},
        {"ArabicLetterMark", "张\u061C三", NameVerdict::InvisibleCharacter},
        {"NoncharacterFdd0", "张\uFDD0三", NameVerdict::InvisibleCharacter},
        {"NoncharacterFffe", "张三\uFFFE", NameVerdict::InvisibleCharacter},
        {"NoncharacterOfPlane16", "张三\U0010FFFF", NameVerdict::InvisibleCharacter},
        // Visible or merely spacing: accepted as before.
        {"FullWidthSpace", "张\u3000三", NameVerdict::Accepted},
        {"NoBreakSpace", "张\u00A0三", NameVerdict::Accepted},
        {"MiddleDot", "阿依·买买提", NameVerdict::Accepted},
        {"ReplacementCharacter", "张\uFFFD三", NameVerdict::Accepted},
        {"JustBelowNoncharacters", "张\uFDCF三", NameVerdict::Accepted},
        // The earlier checks keep their messages.
        {"LetterBeforeTab", "a\t张三", NameVerdict::LetterOrDigitAtEnd},
        {"ShortWithTab", "\t张", NameVerdict::TooShort},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(letter::checkName(Text::fromUtf8(c.utf8), forbidden), c.want);
    }
}

TEST(LetterDate, KeepsTheDateUpToItsFirstDayMarker) {
    struct Case {
        const char* name;
        rt::DateTime when;
        std::string_view want;
    } cases[] = {
        {"WithTime", {2024, 3, 7, 14, 5, 9}, "2024年3月7日"},
        {"TwoDigitMonthAndDay", {2024, 12, 25, 8, 0, 0}, "2024年12月25日"},
        {"Midnight", {2025, 1, 1, 0, 0, 0}, "2025年1月1日"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(letter::letterDate(c.when).toUtf8(), c.want);
    }
}

TEST(CountCaption, HalvesTheByteCount) {
    EXPECT_EQ(letter::countCaption(2469).toUtf8(), "生成：1234.5 字");
    EXPECT_EQ(letter::countCaption(2468).toUtf8(), "生成：1234 字");
}

std::string frameUtf8(std::string_view name, std::string_view date) {
    return std::string(33, ' ') + "入 党 申 请 书\r\n\r\n\r\n" + "尊敬的党组织：" + "\x01" + "\r\n\r\n    申请人： " +
           std::string(name) + "\r\n" + "\r\n    申请日期： " + std::string(date) + "\r\n" + "\r\n\r\n\r\n" +
           std::string(44, ' ') + "此 致" + "\r\n\r\n\r\n" + std::string(69, ' ') + "敬 礼";
}

TEST(ComposeLetter, IsTheFrameAroundOneEntryOfEachPool) {
    const Picks picks{12, 30, 16, 2};
    const Text letterText = letter::composeLetter(letter::salutations().respected, picks, Text::fromUtf8("张三"),
                                                  Text::fromUtf8("2024年3月7日"));
    std::string want = Text::fromUtf8(frameUtf8("张三", "2024年3月7日")).bytes();
    const std::string entries = letter::entry(1, 12).bytes() + letter::entry(2, 30).bytes() +
                                letter::entry(3, 16).bytes() + letter::entry(4, 2).bytes();
    want.replace(want.find('\x01'), 1, entries);
    EXPECT_EQ(letterText.bytes(), want);
    EXPECT_TRUE(letterText.bytes().ends_with("\xBE\xB4 \xC0\xF1")) << "no line break after 敬 礼";
}

class Generate : public ::testing::Test {
protected:
    MessageRecorder messages;
    FixedClock clock{1000};
    std::unique_ptr<app::MainWindow> window = makeMainWindow();

    void press(std::string_view name) {
        window->nameBox.setText(Text::fromUtf8(name));
        QTest::mouseClick(window->generateButton.widget(), Qt::LeftButton);
    }
};

TEST_F(Generate, WritesTheLetterAndItsCountIntoTheWindow) {
    window->window.get<rt::EditBox>("UnitBox").setText(Text::fromUtf8("某某厂"));
    press("张三");
    ASSERT_TRUE(messages.shown.empty());
    const Text want = letter::composeLetter(letter::salutations().respected, {12, 30, 16, 2}, Text::fromUtf8("张三"),
                                            Text::fromUtf8("2024年3月7日"));
    EXPECT_EQ(window->letterBox.text(), want);
    EXPECT_EQ(window->countLabel.caption(), letter::countCaption(rt::length(want)));
    EXPECT_EQ(app::OpeningPickMemory, 12);

    auto* box = letterWidget(*window);
    EXPECT_TRUE(box->textCursor().atEnd());
    EXPECT_EQ(box->verticalScrollBar()->value(), box->verticalScrollBar()->maximum()) << "the last lines are in view";
}

TEST_F(Generate, RepeatedReadingsRedrawTheOpeningOnceThenRecordItAgain) {
    const auto opening = [&] { return window->letterBox.text().bytes(); };
    press("张三");
    EXPECT_NE(opening().find(letter::entry(1, 12).bytes()), std::string::npos);
    press("张三");
    EXPECT_NE(opening().find(letter::entry(1, 8).bytes()), std::string::npos);
    EXPECT_EQ(app::OpeningPickMemory, 0);
    press("张三");
    EXPECT_NE(opening().find(letter::entry(1, 12).bytes()), std::string::npos);
    EXPECT_EQ(app::OpeningPickMemory, 12);
}

TEST_F(Generate, NameOutsideGbkKeepsItsBytesInTheSignature) {
    press("王䶮");
    ASSERT_TRUE(messages.shown.empty());
    EXPECT_NE(window->letterBox.text().bytes().find("    \xC9\xEA\xC7\xEB\xC8\xCB\xA3\xBA \xCD\xF5\xFE\x9F\r\n"),
              std::string::npos);
}

TEST_F(Generate, RefusedNameChangesNothing) {
    press("张三");
    const Text letterBefore = window->letterBox.text();
    const Text countBefore = window->countLabel.caption();
    const std::int32_t memoryBefore = app::OpeningPickMemory;
    struct Case {
        const char* name;
        std::string_view utf8;
        ShownMessage want;
    } cases[] = {
        {"Empty", "", {" 请添写你的姓名，再生成入党申请书范文。", "提 示："}},
        {"Letters", "Tom", {" 姓 名 不 能 包 含 英 文 及 数 字. ", "请输入真实姓名："}},
        {"Short", "张", {" 姓 名 添 写 不 完 整. ", "请输入真实姓名："}},
        {"LineBreaks", "张三\n李四\n申请日期： 1999年1月1日", {"姓名中含有不可见的控制字符，请重新填写。", "请输入真实姓名："}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        messages.shown.clear();
        press(c.utf8);
        ASSERT_EQ(messages.shown.size(), 1u);
        EXPECT_EQ(messages.shown[0], c.want);
        EXPECT_EQ(window->letterBox.text(), letterBefore);
        EXPECT_EQ(window->countLabel.caption(), countBefore);
        EXPECT_EQ(app::OpeningPickMemory, memoryBefore);
    }
}

TEST_F(Generate, TypedNameReachesTheLetterThroughTheBox) {
    window->nameBox.setText({});
    typeText(window->nameBox.widget(), QStringLiteral("李玥"));
    QTest::mouseClick(window->generateButton.widget(), Qt::LeftButton);
    ASSERT_TRUE(messages.shown.empty());
    EXPECT_NE(window->letterBox.text().bytes().find(Text::fromUtf8("申请人： 李玥\r\n").bytes()), std::string::npos);
}

}  // namespace
