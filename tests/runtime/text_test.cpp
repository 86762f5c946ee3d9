// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include "runtime/text.h"

namespace {

using rt::Text;

Text gb(std::string_view utf8) { return Text::fromUtf8(utf8); }
Text raw(std::string_view bytes) { return Text::fromBytes(bytes); }

TEST(Text, ConvertsToGb18030WithFourByteFormsForCharactersOutsideGbk) {
    struct Case {
        const char* name;
        std::string_view utf8;
        std::string_view bytes;
    } cases[] = {
        {"TwoCharacterName", "张三", "\xD5\xC5\xC8\xFD"},
        {"FullWidthSpace", "\u3000", "\xA1\xA1"},
        {"OutsideGbkTwoBytes", "䶮", "\xFE\x9F"},
        {"ExtensionA", "㐀", "\x81\x39\xEE\x39"},
        {"ExtensionB", "𠀀", "\x95\x32\x82\x36"},
        {"Empty", "", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(gb(c.utf8).bytes(), c.bytes);
        EXPECT_EQ(gb(c.utf8).toUtf8(), c.utf8);
    }
}

TEST(Text, CutsCountBytesAndMaySplitACharacter) {
    const Text name = gb("张三");
    struct Case {
        const char* name;
        Text got;
        std::string_view want;
    } cases[] = {
        {"LeftOneByteOfTwoByteCharacter", rt::left(name, 1), "\xD5"},
        {"RightOneByteOfTwoByteCharacter", rt::right(name, 1), "\xFD"},
        {"LeftWhole", rt::left(name, 4), "\xD5\xC5\xC8\xFD"},
        {"LeftBeyondLength", rt::left(name, 99), "\xD5\xC5\xC8\xFD"},
        {"LeftZero", rt::left(name, 0), ""},
        {"LeftNegative", rt::left(name, -3), ""},
        {"RightTwo", rt::right(name, 2), "\xC8\xFD"},
        {"LeftOfEmpty", rt::left(Text(), 5), ""},
        {"RightOfFourByteForm", rt::right(gb("𠀀"), 1), "\x36"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(c.got.bytes(), c.want);
    }
    EXPECT_EQ(rt::length(name), 4);
    EXPECT_EQ(rt::length(Text()), 0);
}

TEST(Text, FindMatchesOnlyOnCharacterBoundaries) {
    struct Case {
        const char* name;
        Text haystack;
        Text needle;
        std::int64_t want;
    } cases[] = {
        {"AsciiInAscii", raw("abcdef"), raw("cd"), 3},
        {"NotFound", raw("abc"), raw("x"), -1},
        // 玥 is AB 68: its second byte is "h", which must not match.
        {"TrailByteIsNotALetter", gb("李玥"), raw("h"), -1},
        {"LetterAfterTwoByteCharacter", gb("玥h"), raw("h"), 3},
        // 𠀀 ends in 0x36, the byte of "6".
        {"FourByteFormIsNotADigit", gb("张𠀀"), raw("6"), -1},
        {"DigitAfterFourByteForm", gb("𠀀6"), raw("6"), 5},
        {"MarkerInDate", gb("2024年3月7日14时5分9秒"), gb("日"), 11},
        {"AcrossCharacterBoundary", raw("\xB0\xA1\xB0\xA1"), raw("\xA1\xB0"), -1},
        {"EmptyNeedle", raw("abc"), raw(""), 1},
        {"EmptyHaystack", raw(""), raw("a"), -1},
        {"NeedleLongerThanHaystack", raw("a"), raw("ab"), -1},
        {"StrayLeadByteAtEnd", raw("ab\x81"), raw("\x81"), 3},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(rt::find(c.haystack, c.needle), c.want);
    }
}

TEST(Text, FormatsNumbersAndDates) {
    EXPECT_EQ(rt::numberToText(1234.0).bytes(), "1234");
    EXPECT_EQ(rt::numberToText(1234.5).bytes(), "1234.5");
    EXPECT_EQ(rt::numberToText(0.0).bytes(), "0");
    struct Case {
        const char* name;
        rt::DateTime when;
        std::string_view want;
    } cases[] = {
        {"WithSeconds", {2024, 3, 7, 14, 5, 9}, "2024年3月7日14时5分9秒"},
        {"MinutesNoSeconds", {2024, 12, 25, 8, 30, 0}, "2024年12月25日8时30分"},
        {"HourOnly", {2024, 12, 25, 8, 0, 0}, "2024年12月25日8时"},
        {"Midnight", {2024, 1, 1, 0, 0, 0}, "2024年1月1日"},
        {"SecondsAtMidnightHour", {2024, 1, 1, 0, 0, 5}, "2024年1月1日0时0分5秒"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(rt::dateTimeToText(c.when).toUtf8(), c.want);
    }
}

TEST(Text, MalformedUtf8BecomesAReplacementCharacterNotNothing) {
    const Text text = Text::fromUtf8("a\xFF" "b");
    EXPECT_EQ(text.toUtf8(), "a\xEF\xBF\xBD" "b");
}

TEST(Text, ReleaseEmptiesAndConcatenationJoins) {
    Text text = gb("张") + raw(" ") + gb("三");
    EXPECT_EQ(text.toUtf8(), "张 三");
    text.release();
    EXPECT_TRUE(text.empty());
    text.release();
    EXPECT_TRUE(text.empty());
}

}  // namespace
