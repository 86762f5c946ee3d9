// SPDX-License-Identifier: GPL-3.0-or-later
// The program's text type: a byte string in GB18030 (GBK for every GBK
// character), lines ending in CR LF. Every length, cut and position counts
// bytes and positions are 1-based, so cutting may split a character while
// searching steps over whole characters (1, 2 or 4 bytes).
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace rt {

class Text {
public:
    Text() = default;
    static Text fromBytes(std::string_view bytes) { return Text(std::string(bytes)); }
    // Takes the bytes over without copying them.
    static Text adopt(std::string&& bytes) { return Text(std::move(bytes)); }
    // UTF-8 in, GB18030 out. GB18030 covers all of Unicode, so only malformed
    // UTF-8 can fail; such bytes become U+FFFD rather than vanishing.
    static Text fromUtf8(std::string_view utf8);

    const std::string& bytes() const { return bytes_; }
    std::string toUtf8() const;
    bool empty() const { return bytes_.empty(); }
    std::size_t size() const { return bytes_.size(); }

    void release() { std::string().swap(bytes_); }

    friend bool operator==(const Text&, const Text&) = default;
    friend Text operator+(const Text& a, const Text& b) { return Text(a.bytes_ + b.bytes_); }
    Text& operator+=(const Text& more) { bytes_ += more.bytes_; return *this; }

private:
    explicit Text(std::string bytes) : bytes_(std::move(bytes)) {}
    std::string bytes_;
};

// Number of bytes of the character that starts at bytes[at]: 1 for ASCII or a
// stray byte, 2 for a two-byte character, 4 for a four-byte GB18030 form.
// A character cut short by the end of the text counts as its remaining bytes;
// past the end there is no character (0).
std::size_t characterLength(std::string_view bytes, std::size_t at);

std::int64_t length(const Text& text);
Text left(const Text& text, std::int64_t n);
Text right(const Text& text, std::int64_t n);
// 1-based byte position of the first match that starts on a character
// boundary; -1 when there is none. An empty needle is found at position 1.
std::int64_t find(const Text& haystack, const Text& needle);
// "%.13g": 1234.0 -> 1234, 1234.5 -> 1234.5.
Text numberToText(double value);

struct DateTime {
    int year = 1970, month = 1, day = 1, hour = 0, minute = 0, second = 0;
};
// "%d年%d月%d日" then "%d时%d分%d秒", "%d时%d分" or "%d时", dropping trailing zero parts.
Text dateTimeToText(const DateTime& when);

// The bytes of a text, without a terminator.
inline const std::string& toBytes(const Text& text) { return text.bytes(); }

}  // namespace rt
