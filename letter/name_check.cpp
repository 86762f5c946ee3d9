// SPDX-License-Identifier: GPL-3.0-or-later
#include "letter/name_check.h"

#include <string_view>
#include <vector>

#include "runtime/encoding.h"

namespace letter {
namespace {

// The single-byte character at the start or end of the name, or the empty
// text when that end is a multi-byte character.
rt::Text singleByteEnd(const rt::Text& name, bool last) {
    const std::string& bytes = name.bytes();
    std::size_t start = 0;
    std::size_t size = rt::characterLength(bytes, 0);
    if (last) {
        for (std::size_t at = 0; at < bytes.size(); at += rt::characterLength(bytes, at)) {
            start = at;
            size = rt::characterLength(bytes, at);
        }
    }
    if (size != 1) return {};
    return rt::Text::fromBytes(std::string_view(bytes).substr(start, 1));
}

bool listed(const rt::Text& character, const rt::Text& forbidden) {
    return !character.empty() && rt::find(forbidden, character) != -1;
}

// The code points of valid UTF-8.
std::vector<char32_t> codePoints(std::string_view utf8) {
    std::vector<char32_t> points;
    for (std::size_t at = 0; at < utf8.size();) {
        const auto lead = static_cast<unsigned char>(utf8[at]);
        const std::size_t size = lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
        char32_t point = size == 1 ? lead : lead & (0x7F >> size);
        for (std::size_t i = 1; i < size && at + i < utf8.size(); ++i)
            point = (point << 6) | (static_cast<unsigned char>(utf8[at + i]) & 0x3F);
        points.push_back(point);
        at += size;
    }
    return points;
}

bool invisible(char32_t c) {
    const bool control = c < 0x20 || (c >= 0x7F && c <= 0x9F);
    const bool bidirectional = c == 0x061C || c == 0x200E || c == 0x200F || (c >= 0x202A && c <= 0x202E) ||
                               (c >= 0x2066 && c <= 0x2069);
    const bool noncharacter = (c >= 0xFDD0 && c <= 0xFDEF) || (c & 0xFFFE) == 0xFFFE;
    return control || bidirectional || noncharacter;
}

}  // namespace

NameVerdict checkName(const rt::Text& name, const rt::Text& forbidden) {
    if (name == rt::Text()) return NameVerdict::Missing;
    if (listed(singleByteEnd(name, false), forbidden) || listed(singleByteEnd(name, true), forbidden))
        return NameVerdict::LetterOrDigitAtEnd;
    if (rt::length(name) <= 3) return NameVerdict::TooShort;
    for (char32_t c : codePoints(rt::gb18030ToUtf8(name.bytes()))) {
        if (invisible(c)) return NameVerdict::InvisibleCharacter;
    }
    return NameVerdict::Accepted;
}

}  // namespace letter
