// SPDX-License-Identifier: GPL-3.0-or-later
#include "runtime/text.h"

#include <cstdio>

#include "runtime/encoding.h"

namespace rt {

Text Text::fromUtf8(std::string_view utf8) { return Text(utf8ToGb18030(utf8)); }

std::string Text::toUtf8() const { return gb18030ToUtf8(bytes_); }

std::size_t characterLength(std::string_view bytes, std::size_t at) {
    if (at >= bytes.size()) return 0;
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(bytes[i]); };
    const std::size_t left = bytes.size() - at;
    const unsigned char lead = byte(at);
    if (lead < 0x81 || lead == 0xFF || left < 2) return 1;
    const unsigned char second = byte(at + 1);
    if (second >= 0x30 && second <= 0x39) return left < 4 ? left : 4;
    return 2;
}

std::int64_t length(const Text& text) { return static_cast<std::int64_t>(text.size()); }

Text left(const Text& text, std::int64_t n) {
    if (n <= 0) return {};
    if (n >= length(text)) return text;
    return Text::fromBytes(std::string_view(text.bytes()).substr(0, static_cast<std::size_t>(n)));
}

Text right(const Text& text, std::int64_t n) {
    if (n <= 0) return {};
    if (n >= length(text)) return text;
    return Text::fromBytes(std::string_view(text.bytes()).substr(text.size() - static_cast<std::size_t>(n)));
}

std::int64_t find(const Text& haystack, const Text& needle) {
    const std::string_view hay = haystack.bytes();
    const std::string_view sought = needle.bytes();
    if (sought.empty()) return 1;
    for (std::size_t at = 0; at + sought.size() <= hay.size(); at += characterLength(hay, at)) {
        if (hay.compare(at, sought.size(), sought) == 0) return static_cast<std::int64_t>(at) + 1;
    }
    return -1;
}

Text numberToText(double value) {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.13g", value);
    return Text::fromBytes(buffer);
}

Text dateTimeToText(const DateTime& when) {
    std::string utf8 = std::to_string(when.year) + "年" + std::to_string(when.month) + "月" +
                       std::to_string(when.day) + "日";
    if (when.second != 0) {
        utf8 += std::to_string(when.hour) + "时" + std::to_string(when.minute) + "分" +
                std::to_string(when.second) + "秒";
    } else if (when.minute != 0) {
        utf8 += std::to_string(when.hour) + "时" + std::to_string(when.minute) + "分";
    } else if (when.hour != 0) {
        utf8 += std::to_string(when.hour) + "时";
    }
    return Text::fromUtf8(utf8);
}

}  // namespace rt
