// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "resources/embedded.h"
#include "runtime/text.h"

namespace {

const std::string kIndent = "\xA1\xA1\xA1\xA1";  // two full-width spaces

std::vector<std::string> lines(std::string_view text) {
    std::vector<std::string> out;
    std::size_t at = 0;
    for (std::size_t end; (end = text.find("\r\n", at)) != std::string_view::npos; at = end + 2)
        out.emplace_back(text.substr(at, end - at));
    EXPECT_EQ(at, text.size()) << "the text does not end in CR LF";
    return out;
}

bool startsWith(const std::string& line, std::string_view utf8) {
    return line.starts_with(rt::Text::fromUtf8(utf8).bytes());
}

// 一 … 五十三, as the articles are numbered.
std::string chineseNumber(int n) {
    static const char* const digits[] = {"", "一", "二", "三", "四", "五", "六", "七", "八", "九"};
    if (n < 10) return digits[n];
    return std::string(n >= 20 ? digits[n / 10] : "") + "十" + digits[n % 10];
}

TEST(ConstitutionText, GeneralProgramIsTwentySevenIndentedParagraphs) {
    const std::string_view text = res::generalProgramText;
    EXPECT_EQ(text.size(), 12127u);
    const std::vector<std::string> all = lines(text);
    ASSERT_EQ(all.size(), 28u);
    EXPECT_EQ(all[0], "");
    const std::size_t want[] = {233, 97,  333, 553, 555, 543, 343, 317, 1419, 201, 263, 201, 315, 381,
                                527, 599, 449, 199, 239, 409, 583, 501, 507, 311, 603, 593, 797};
    for (std::size_t i = 1; i < all.size(); ++i) {
        SCOPED_TRACE("paragraph " + std::to_string(i));
        EXPECT_EQ(all[i].size(), want[i - 1]);
        EXPECT_TRUE(all[i].starts_with(kIndent));
        EXPECT_FALSE(all[i].starts_with(kIndent + "\xA1\xA1"));
        EXPECT_TRUE(all[i].ends_with(" ") && !all[i].ends_with("  "));
    }
    EXPECT_TRUE(startsWith(all[1], "\u3000\u3000中国共产党是中国工人阶级的先锋队"));
    EXPECT_TRUE(all[22].ends_with(rt::Text::fromUtf8("： ").bytes()));
    const char* const points[] = {"第一，", "第二，", "第三，", "第四，"};
    for (int i = 0; i < 4; ++i) EXPECT_TRUE(startsWith(all[23 + i], std::string("\u3000\u3000") + points[i])) << points[i];
}

TEST(ConstitutionText, ArticlesAreElevenChaptersOfFiftyThreeArticles) {
    const std::string_view text = res::articlesText;
    // The edition we ship differs from the reference size only in punctuation variants.
    EXPECT_EQ(text.size(), 22867u);
    const struct Chapter {
        const char* heading;
        int firstArticle, lastArticle;
    } chapters[] = {
        {"第一章 党 员", 1, 9},
        {"第二章 党的组织制度", 10, 17},
        {"第三章 党的中央组织", 18, 23},
        {"第四章 党的地方组织", 24, 28},
        {"第五章 党的基层组织", 29, 32},
        {"第六章 党的干部", 33, 36},
        {"第七章 党的纪律", 37, 42},
        {"第八章 党的纪律检查机关", 43, 45},
        {"第九章 党 组", 46, 48},
        {"第十章 党和共产主义青年团的关系", 49, 50},
        {"第十一章 党徽党旗", 51, 53},
    };
    const std::vector<std::string> all = lines(text);
    ASSERT_FALSE(all.empty());
    EXPECT_EQ(all[0], "");
    std::size_t at = 1;
    int article = 0, paragraphs = 0, withoutSpace = 0;
    for (std::size_t c = 0; c < std::size(chapters); ++c) {
        const Chapter& chapter = chapters[c];
        SCOPED_TRACE(chapter.heading);
        if (c > 0) {
            ASSERT_LT(at + 1, all.size());
            EXPECT_EQ(all[at], "");
            EXPECT_EQ(all[at + 1], c == 9 ? " " : "");
            at += 2;
        }
        ASSERT_LT(at + 1, all.size());
        EXPECT_EQ(all[at], rt::Text::fromUtf8(chapter.heading).bytes());
        EXPECT_EQ(all[at + 1], "");
        at += 2;
        for (; at < all.size() && all[at].starts_with(kIndent); ++at) {
            ++paragraphs;
            if (!all[at].ends_with(" ")) ++withoutSpace;
            if (!startsWith(all[at], "\u3000\u3000第")) continue;
            const std::string number = "\u3000\u3000第" + chineseNumber(article + 1) + "条\u3000";
            if (startsWith(all[at], number)) ++article;
        }
        EXPECT_EQ(article, chapter.lastArticle);
    }
    EXPECT_EQ(at, all.size()) << "text after the last chapter";
    EXPECT_EQ(article, 53);
    EXPECT_EQ(paragraphs, 161);
    EXPECT_EQ(paragraphs - article, 108);
    // The reference edition has two paragraphs without it; ours has none.
    EXPECT_EQ(withoutSpace, 0);
}

}  // namespace
