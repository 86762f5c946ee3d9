// SPDX-License-Identifier: GPL-3.0-or-later
// What can be caught in the corpus without reading it: dated formulations,
// wrong characters, an applicant made older or given a job after the opening,
// near-copies, closings that forget the self-assessment or the request.
// It guards against edits that bring back faults a reader once found; it does
// not replace reading whole letters.
#include <gtest/gtest.h>

#include <QString>

#include <algorithm>
#include <regex>
#include <set>
#include <string>
#include <vector>

#include "letter/corpus.h"

namespace {

struct Entry {
    int pool;
    int number;
    std::string utf8;
};

std::vector<Entry> entriesOf(std::initializer_list<int> pools) {
    std::vector<Entry> out;
    for (int pool : pools)
        for (int n = 1; n <= letter::poolSize(pool); ++n) out.push_back({pool, n, letter::entry(pool, n).toUtf8()});
    return out;
}

// The first characters of an entry are fixed by the corpus design, however
// plain; the words after them are what an edit can fix.
std::string afterOpening(const std::string& utf8) {
    constexpr int kOpeningCharacters = 8;
    std::size_t at = 0;
    while (at < utf8.size() && (std::string_view("\r\n ").find(utf8[at]) != std::string_view::npos ||
                                utf8.compare(at, 3, "\u3000") == 0))
        at += utf8[at] == ' ' || utf8[at] == '\r' || utf8[at] == '\n' ? 1 : 3;
    for (int seen = 0; seen < kOpeningCharacters && at < utf8.size(); ++seen)
        do ++at;
        while (at < utf8.size() && (static_cast<unsigned char>(utf8[at]) & 0xC0) == 0x80);
    return utf8.substr(at);
}

std::string where(const Entry& e) { return std::to_string(e.pool) + "-" + std::to_string(e.number); }

// Sentences end at a full stop, an exclamation or a question mark.
std::vector<std::string> sentences(const std::string& utf8) {
    std::vector<std::string> out;
    const std::regex end("[^。！？]+");
    for (auto it = std::sregex_iterator(utf8.begin(), utf8.end(), end); it != std::sregex_iterator(); ++it)
        out.push_back(it->str());
    return out;
}

struct Word {
    const char* text;
    const char* why;
    std::initializer_list<int> pools;
};

const Word kWordsSentBack[] = {
    // The theory and goals as they stood before the current constitution.
    {"和“三个代表”重要思想作为", "guiding-thought list that ends in 2007", {1, 2, 3, 4}},
    {"和“三个代表”重要思想，学习科学发展观", "科学发展观 as the latest theory", {1, 2, 3, 4}},
    {"富强民主文明和谐的社会主义现代化国家", "the 2007 goal", {1, 2, 3, 4}},
    {"总体小康", "a stage long past", {1, 2, 3, 4}},
    {"当前世界能源危机", "dates the letter", {1, 2, 3, 4}},
    {"邓小平关于建设", "2007 wording of the theory", {1, 2, 3, 4}},
    {"周年", "an anniversary dates the letter", {1, 2, 3, 4}},
    {"即将召开", "a congress about to be held dates the letter", {1, 2, 3, 4}},
    // Wrong characters, slips and informal words.
    {"做为", "作为", {1, 2, 3, 4}},
    {"郑重的", "郑重地", {1, 2, 3, 4}},
    {"庄严的写", "庄严地", {1, 2, 3, 4}},
    {"光荣的申请", "郑重地申请", {1, 2, 3, 4}},
    {"不断的", "不断地", {1, 2, 3, 4}},
    {"深深以为到", "深深认识到", {1, 2, 3, 4}},
    {"从小就我就", "我从小就", {1, 2, 3, 4}},
    {"朝气四溢", "朝气蓬勃", {1, 2, 3, 4}},
    {"喜欢上进", "积极上进", {1, 2, 3, 4}},
    {"志愿要求加入", "志愿 and 要求 say the same", {1, 2, 3, 4}},
    {"我党", "informal in a letter to the Party", {1, 2, 3, 4}},
    // Only the opening says who the applicant is.
    {"青年", "an age", {2, 3, 4}},
    {"年轻", "an age", {2, 3, 4}},
    {"同学", "a school", {2, 3, 4}},
    {"学生", "a school", {2, 3, 4}},
    {"学校", "a school", {2, 3, 4}},
    {"校园", "a school", {2, 3, 4}},
    {"班级", "a school", {2, 3, 4}},
    {"课堂", "a school", {2, 3, 4}},
    {"老师", "a school", {2, 3, 4}},
    {"本职", "a job", {2, 3, 4}},
    {"单位", "a workplace", {2, 3, 4}},
    {"同事", "a workplace", {2, 3, 4}},
    {"车间", "a workplace", {2, 3, 4}},
    {"社区", "a post in the community", {2, 3, 4}},
    {"窗口", "a service counter", {2, 3, 4}},
    {"患者", "a hospital", {2, 3, 4}},
    {"部队", "the army", {2, 3, 4}},
    {"战友", "the army", {2, 3, 4}},
    {"子弟兵", "the army", {2, 3, 4}},
    // The self-assessment belongs to the closing.
    {"我的缺点", "shortcomings before the closing", {1, 2, 3}},
    {"我的不足", "shortcomings before the closing", {1, 2, 3}},
    {"自己的不足", "shortcomings before the closing", {1, 2, 3}},
    {"自身的不足", "shortcomings before the closing", {1, 2, 3}},
    {"缺点和不足", "shortcomings before the closing", {1, 2, 3}},
};

TEST(CorpusContent, NoEntryCarriesAWordABranchWouldSendBack) {
    for (const Word& word : kWordsSentBack)
        for (const Entry& e : entriesOf(word.pools))
            EXPECT_EQ(afterOpening(e.utf8).find(word.text), std::string::npos) << where(e) << " has " << word.text << ": " << word.why;
}

TEST(CorpusContent, TheGuidingThoughtIsNamedWholeOrNotAtAll) {
    const std::string current = "习近平新时代中国特色社会主义思想";
    for (const Entry& e : entriesOf({1, 2, 3, 4})) {
        const bool listsTheories = e.utf8.find("毛泽东思想、邓小平理论") != std::string::npos;
        const bool namesScientificOutlook = e.utf8.find("科学发展观") != std::string::npos;
        if (!listsTheories && !namesScientificOutlook) continue;
        EXPECT_NE(e.utf8.find(current), std::string::npos)
            << where(e) << " names the theories without the current guiding thought";
    }
}

TEST(CorpusContent, OnlyTheOpeningDeclaresTheApplication) {
    const std::regex declaration("今天.*(递交|提出|写下).*申请");
    for (const Entry& e : entriesOf({2, 3, 4}))
        for (const std::string& sentence : sentences(e.utf8))
            EXPECT_FALSE(std::regex_search(sentence, declaration)) << where(e) << " applies again: " << sentence;
}

TEST(CorpusContent, EveryClosingNamesAShortcomingAndAsksToBeTested) {
    const std::regex shortcoming("不足|缺点|毛病|欠缺|不够|差距|短处|弱点|有待|差得|做不到|常常|容易|改掉|改正|克服");
    const std::regex request("考验|检验|批准|接受我|吸收我");
    for (const Entry& e : entriesOf({4})) {
        EXPECT_TRUE(std::regex_search(e.utf8, shortcoming)) << where(e) << " names no shortcoming";
        EXPECT_TRUE(std::regex_search(e.utf8, request)) << where(e) << " does not ask to be tested or accepted";
    }
}

// Runs of four characters, punctuation and indents left out.
std::set<std::u32string> shingles(const std::string& utf8) {
    std::u32string text;
    for (char32_t c : QString::fromStdString(utf8).toStdU32String())
        if (c > 0x4DFF && c < 0xA000) text += c;
    std::set<std::u32string> out;
    for (std::size_t at = 0; at + 4 <= text.size(); ++at) out.insert(text.substr(at, 4));
    return out;
}

// Share of the shorter entry's four-character runs that the other entry has too.
double overlap(const std::set<std::u32string>& a, const std::set<std::u32string>& b) {
    std::size_t shared = 0;
    for (const auto& s : a) shared += b.count(s);
    return static_cast<double>(shared) / static_cast<double>(std::min(a.size(), b.size()));
}

TEST(CorpusContent, NoTwoEntriesOfAPoolAreNearCopies) {
    // Distinct entries share under a quarter of their runs; the near-copies
    // a reader once found shared about half.
    constexpr double kNearCopy = 0.35;
    for (int pool = 1; pool <= letter::kPoolCount; ++pool) {
        std::vector<Entry> entries = entriesOf({pool});
        std::vector<std::set<std::u32string>> runs;
        for (const Entry& e : entries) runs.push_back(shingles(e.utf8));
        for (std::size_t i = 0; i < entries.size(); ++i)
            for (std::size_t j = i + 1; j < entries.size(); ++j)
                EXPECT_LT(overlap(runs[i], runs[j]), kNearCopy)
                    << where(entries[i]) << " and " << where(entries[j]) << " are near-copies";
    }
}

}  // namespace
