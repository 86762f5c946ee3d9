// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "letter/corpus.h"

namespace {

using letter::entry;

enum class End { None, CrLf, Space };

struct Row {
    int pool;
    int number;
    int bytes;
    const char* opening;
    const char* lines;  // one code per line: 4s 2F F2s 2sF sFs 5s blank
    End end;
};

void PrintTo(const Row& row, std::ostream* out) { *out << "pool " << row.pool << " entry " << row.number; }

// The design table of the corpus: each entry's size, opening words and shape.
const Row kRows[] = {
    {1, 1, 492, "我志愿加入中国共", "4s", End::None},
    {1, 2, 304, "我从小就树立了一", "4s", End::None},
    {1, 3, 270, "在我心中，中国共", "4s", End::None},
    {1, 4, 526, "我志愿加入伟大的", "4s 4s", End::None},
    {1, 5, 370, "作为生在红旗下，", "4s", End::None},
    {1, 6, 406, "我申请加入中国共", "4s", End::None},
    {1, 7, 398, "我志愿加入中国共", "4s", End::None},
    {1, 8, 488, "今天，我怀着无比", "4s", End::None},
    {1, 9, 284, "在我心中，中国共", "4s", End::None},
    {1, 10, 372, "我志愿加入中国共", "4s", End::None},
    {1, 11, 588, "当我写下“入党申", "4s", End::None},
    {1, 12, 442, "今天我怀着十分激", "4s", End::None},
    {1, 13, 464, "我是一个平凡的中", "4s", End::None},
    {1, 14, 438, "我志愿加入中国共", "4s", End::None},
    {1, 15, 474, "我衷心地热爱中国", "4s", End::None},
    {1, 16, 446, "我申请加入中国共", "4s", End::None},
    {1, 17, 354, "我志愿加入中国共", "4s", End::None},
    {1, 18, 364, "我志愿加入我们伟", "4s", End::None},
    {1, 19, 420, "我志愿加入中国共", "4s", End::None},
    {1, 20, 570, "今天，我怀着无比", "4s 2F", End::None},
    {1, 21, 354, "我志愿加入中国共", "4s", End::None},
    {1, 22, 344, "我郑重地申请加入", "4s", End::None},
    {1, 23, 370, "“我要入党！”请党", "4s", End::None},
    {1, 24, 486, "我从小沐浴着党的", "4s", End::None},
    {1, 25, 308, "我是一个朝气四溢", "4s", End::None},
    {1, 26, 482, "今天我怀着十分激", "4s", End::None},
    {1, 27, 426, "我是一个喜欢上进", "4s", End::None},
    {1, 28, 502, "今天我怀着无比激", "4s", End::None},
    {1, 29, 432, "今天，请允许我怀", "4s", End::None},
    {1, 30, 402, "自我懂事以来，我", "4s", End::None},
    {1, 31, 690, "今天我庄严地写下", "4s", End::None},
    {1, 32, 274, "今天我郑重地向党", "2F 2F", End::None},
    {1, 33, 291, "我志愿要求加入中", "2F blank 2F", End::None},
    {1, 34, 663, "我志愿加入中国共", "4s 4s 4s", End::None},
    {1, 35, 700, "我志愿加入中国共", "2F blank 2F", End::None},
    {1, 36, 210, "经过自己的学习以", "2F", End::None},
    {1, 37, 273, "今天，我怀着十分", "2F blank 2F", End::None},
    {2, 1, 589, "《钢铁是怎样炼成", "2F", End::None},
    {2, 2, 708, "从学生年代开始，", "2F", End::None},
    {2, 3, 1019, "中国共产党从她成", "2F", End::None},
    {2, 4, 532, "首先，我要不断地", "4s", End::None},
    {2, 5, 632, "中国共产党诞生至", "2F 4s", End::None},
    {2, 6, 1208, "在对共产主义理想", "4s 4s", End::None},
    {2, 7, 492, "中国共产党从降生", "4s", End::None},
    {2, 8, 574, "作为一名在党的光", "2F", End::None},
    {2, 9, 502, "我们必须牢固树立", "4s", End::None},
    {2, 10, 798, "人的一生或重于泰", "2F", End::None},
    {2, 11, 544, "成为一名共产党员", "4s", End::None},
    {2, 12, 842, "在我心目中，中国", "2F 4s", End::None},
    {2, 13, 918, "中国共产党领导全", "2F 4s", End::None},
    {2, 14, 516, "可以说我想成为一", "4s", End::None},
    {2, 15, 1212, "我从小就树立了一", "4s 2F", End::None},
    {2, 16, 952, "一九二一年，中国", "4s 4s", End::None},
    {2, 17, 832, "近代从鸦片战争开", "2F 2F", End::None},
    {2, 18, 554, "中国在社会主义道", "2F", End::None},
    {2, 19, 1123, "中国共产党员是中", "4s 4s", End::None},
    {2, 20, 525, "中国共产党为人民", "4s", End::CrLf},
    {2, 21, 618, "中国共产党领导全", "4s", End::None},
    {2, 22, 628, "聆听着《北京的金", "4s", End::None},
    {2, 23, 699, "我热爱党，中国共", "2F", End::None},
    {2, 24, 574, "我深深认识到，作", "2F", End::None},
    {2, 25, 978, "党以马列主义、毛", "2F 4s", End::None},
    {2, 26, 536, "邓小平理论是毛泽", "2F", End::None},
    {2, 27, 1168, "改革开放以来，我", "2F 4s", End::None},
    {2, 28, 528, "回顾近年来，当祖", "2F", End::None},
    {2, 29, 678, "当前世界能源危机", "F2s 4s", End::None},
    {2, 30, 690, "科学发展观是我党", "F2s 4s", End::None},
    {3, 1, 912, "作为一个中国人，", "4s", End::None},
    {3, 2, 1449, "全心全意为人民服", "4s 4s 5s", End::None},
    {3, 3, 998, "之所以要加入中国", "4s", End::None},
    {3, 4, 552, "通过学习邓小平关", "4s 4s", End::None},
    {3, 5, 721, "走中国特色的社会", "2F 2F 2F", End::None},
    {3, 6, 509, "通过学习，我深刻", "2F", End::None},
    {3, 7, 579, "中国共产党员是中", "2F", End::None},
    {3, 8, 654, "中国共产党在毛泽", "2F 2F", End::None},
    {3, 9, 1726, "中国共产党党员是", "2F 2F", End::None},
    {3, 10, 435, "中国共产党是马列", "2F", End::None},
    {3, 11, 1009, "成为一名共产党员", "2F 4s", End::None},
    {3, 12, 738, "从小父母就向我灌", "2F 2F", End::None},
    {3, 13, 586, "可能是耳濡目染了", "4s 4s", End::None},
    {3, 14, 1568, "在社会这座熔炉里", "4s 4s 4s", End::None},
    {3, 15, 606, "我热爱我们的祖国", "4s 4s", End::None},
    {3, 16, 688, "通过学习党章，我", "2F 2F", End::None},
    {3, 17, 1920, "共产党员要做彻底", "2F sFs", End::None},
    {3, 18, 1613, "我要以实际行动来", "4s 2F 2F", End::None},
    {3, 19, 1209, "共产党员要做彻底", "2F 2F", End::None},
    {3, 20, 750, "实践证明，中国共", "2sF", End::None},
    {3, 21, 964, "中国的革命实践证", "2F 2F", End::None},
    {3, 22, 1330, "中国共产党在社会", "2F 2F 2F 2F", End::None},
    {3, 23, 1194, "如果一个人没有追", "2F 2F", End::None},
    {3, 24, 588, "我深知中国共产党", "2F", End::None},
    {3, 25, 817, "党的教育伴随我走", "2F 2F 2F", End::None},
    {3, 26, 369, "本人政治立场坚定", "2F", End::None},
    {3, 27, 1490, "经过一段时间的学", "4s", End::None},
    {3, 28, 780, "一个人的青春可以", "2F", End::None},
    {3, 29, 886, "我迫切地希望加入", "4s 4s", End::None},
    {3, 30, 687, "从小我受到家庭的", "2F 2F", End::None},
    {3, 31, 496, "人民群众是社会历", "2F", End::None},
    {3, 32, 1004, "中国共产党是神圣", "2F 2F", End::None},
    {3, 33, 976, "民主集中制是党的", "2F 2F", End::None},
    {3, 34, 888, "我要加入中国共产", "2F", End::None},
    {3, 35, 1265, "我决心用自己的实", "4s", End::Space},
    {3, 36, 924, "党的辉煌历史，是", "2F 4s", End::None},
    {4, 1, 1308, "作为一个生长在新", "4s 4s", End::None},
    {4, 2, 427, "我会牢牢记住我是", "4s blank 4s", End::CrLf},
    {4, 3, 606, "由于了解党的光辉", "4s", End::None},
    {4, 4, 435, "虽然我一直严格要", "2F blank 2F", End::None},
    {4, 5, 642, "经过学习我了解到", "4s blank 2F blank 2F", End::None},
    {4, 6, 346, "如果党组织能批准", "2F blank 2F", End::None},
    {4, 7, 304, "我深知按党的要求", "2F blank 2F", End::None},
    {4, 8, 280, "本人立场坚定，决", "4s 2F", End::None},
    {4, 9, 431, "我虽然还有不少缺", "2F blank 4s", End::None},
    {4, 10, 467, "敬爱的党组织，我", "2F 2F blank 4s", End::None},
    {4, 11, 292, "入党是我毕生的愿", "4s blank 4s", End::None},
    {4, 12, 235, "“我志愿加入中国", "4s", End::None},
    {4, 13, 486, "敬爱的党组织，今", "2F blank 4s", End::None},
    {4, 14, 470, "此时此刻，我真诚", "2F", End::None},
    {4, 15, 297, "如果我被党组织吸", "2F blank 2F", End::None},
    {4, 16, 628, "今天，我虽然向党", "2F 2F blank 4s", End::None},
    {4, 17, 329, "本人加入党的愿望", "4s F2s blank 4s", End::None},
    {4, 18, 432, "若党组织在严格审", "2F 2F blank 4s", End::None},
    {4, 19, 404, "我希望自己能成为", "4s blank 4s", End::None},
    {4, 20, 420, "今天，我向党组织", "2F blank 4s", End::None},
    {4, 21, 367, "如果自己有幸成为", "4s blank 4s", End::Space},
    {4, 22, 243, "假如我能如愿加入", "2F blank 2F", End::None},
    {4, 23, 521, "此时此刻，我真诚", "2F blank 4s", End::None},
    {4, 24, 331, "我深知按党的要求", "4s blank 4s blank 4s", End::None},
    {4, 25, 146, "在以后的生活工作", "4s blank 4s", End::None},
};

std::vector<std::string> splitLines(const std::string& text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (std::size_t at; (at = text.find("\r\n", start)) != std::string::npos; start = at + 2)
        lines.push_back(text.substr(start, at - start));
    lines.push_back(text.substr(start));
    return lines;
}

// "4s" for four ASCII spaces, "2F" for two full-width spaces, "F2s" for a
// full-width space and two ASCII spaces, and so on; "blank" for an empty line.
std::string indentCode(const std::string& line) {
    if (line.empty()) return "blank";
    std::string code;
    char kind = 0;
    int run = 0;
    const auto flush = [&] {
        if (run == 0) return;
        if (run > 1) code += std::to_string(run);
        code += kind;
    };
    for (std::size_t at = 0; at < line.size();) {
        char next;
        if (line[at] == ' ') {
            next = 's';
            at += 1;
        } else if (line.compare(at, 2, "\xA1\xA1") == 0) {
            next = 'F';
            at += 2;
        } else {
            break;
        }
        if (next != kind) {
            flush();
            kind = next;
            run = 0;
        }
        ++run;
    }
    flush();
    return code;
}

std::string afterIndent(const std::string& line) {
    std::size_t at = 0;
    while (at < line.size() && (line[at] == ' ' || line.compare(at, 2, "\xA1\xA1") == 0)) at += line[at] == ' ' ? 1 : 2;
    return line.substr(at);
}

class CorpusEntry : public ::testing::TestWithParam<Row> {};

TEST_P(CorpusEntry, HasTheOpeningShapeEndingAndSizeOfItsRow) {
    const Row& row = GetParam();
    const std::string text = entry(row.pool, row.number).bytes();
    const std::string lead = row.pool == 1 ? "\r\n\r\n" : "\r\n";
    ASSERT_EQ(text.substr(0, lead.size()), lead);
    const std::string body = text.substr(lead.size());
    ASSERT_NE(body.substr(0, 2), "\r\n") << "one line break too many before the entry";

    std::vector<std::string> lines = splitLines(body);
    if (row.end == End::CrLf) {
        ASSERT_GE(lines.size(), 2u);
        EXPECT_EQ(lines.back(), "") << "the entry should end with CR LF";
        lines.pop_back();
    }
    std::string shape;
    for (const std::string& line : lines) shape += (shape.empty() ? "" : " ") + indentCode(line);
    EXPECT_EQ(shape, row.lines);

    EXPECT_EQ(rt::Text::fromBytes(afterIndent(lines.front())).toUtf8().substr(0, std::string(row.opening).size()),
              row.opening);

    const char last = text.back();
    switch (row.end) {
        case End::None:
            EXPECT_TRUE(last != ' ' && last != '\n') << "the entry should end with its text";
            break;
        case End::Space:
            EXPECT_EQ(last, ' ');
            EXPECT_NE(text[text.size() - 2], ' ') << "one space, not more";
            break;
        case End::CrLf:
            EXPECT_NE(text.substr(text.size() - 4), "\r\n\r\n") << "one line break, not two";
            break;
    }

    const double size = static_cast<double>(text.size());
    EXPECT_NEAR(size, row.bytes, row.bytes * 0.10) << "letters should keep their size";
}

INSTANTIATE_TEST_SUITE_P(Rows, CorpusEntry, ::testing::ValuesIn(kRows), [](const auto& info) {
    return "Pool" + std::to_string(info.param.pool) + "Entry" + std::to_string(info.param.number);
});

TEST(Corpus, PoolsHoldTheirEntriesInOrder) {
    EXPECT_EQ(letter::poolSize(1), 37);
    EXPECT_EQ(letter::poolSize(2), 30);
    EXPECT_EQ(letter::poolSize(3), 36);
    EXPECT_EQ(letter::poolSize(4), 25);
    EXPECT_EQ(std::size(kRows), 128u);
}

TEST(Corpus, FixedTextsAreExact) {
    const auto& f = letter::frame();
    const auto& m = letter::composerMessages();
    const auto& s = letter::salutations();
    struct Case {
        const char* name;
        const rt::Text& text;
        std::size_t bytes;
        std::string_view tail;
    } cases[] = {
        {"TitleLine", f.titleLine, 53, "\r\n\r\n\r\n"},
        {"SignatureLead", f.signatureLead, 17, "\xA3\xBA "},
        {"DateLead", f.dateLead, 17, "\xA3\xBA "},
        {"ClosingLine", f.closingLine, 55, "\xB4\xCB \xD6\xC2"},
        {"SaluteLine", f.saluteLine, 80, "\xBE\xB4 \xC0\xF1"},
        {"CountLead", f.countLead, 6, "\xA3\xBA"},
        {"CountTail", f.countTail, 3, " \xD7\xD6"},
        {"NameMissingMessage", m.nameMissing, 39, "\xA1\xA3"},
        {"NameCharsMessage", m.nameChars, 35, ". "},
        {"NameShortMessage", m.nameShort, 23, ". "},
        {"NoticeTitle", m.noticeTitle, 7, "\xA3\xBA"},
        {"RealNameTitle", m.realNameTitle, 16, "\xA3\xBA"},
        {"Respected", s.respected, 14, "\xA3\xBA"},
        {"Beloved", s.beloved, 14, "\xA3\xBA"},
        {"Hello", s.hello, 12, "\xA3\xBA"},
        {"ReveredHello", s.reveredHello, 18, "\xA3\xBA"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(c.text.size(), c.bytes);
        EXPECT_TRUE(c.text.bytes().ends_with(c.tail));
    }
    EXPECT_TRUE(f.titleLine.bytes().starts_with(std::string(33, ' ') + "\xC8\xEB \xB5\xB3"));
}

}  // namespace
