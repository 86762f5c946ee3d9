// SPDX-License-Identifier: GPL-3.0-or-later
// Feeds arbitrary bytes to the text operations and the name check: no crash,
// no out-of-range read, and the operations agree with one another.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "letter/name_check.h"
#include "runtime/encoding.h"
#include "runtime/text.h"

namespace {

void require(bool condition) {
    if (!condition) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    // The first byte splits the input into a name and a second text.
    const std::size_t split = size == 0 ? 0 : data[0] % (size + 1);
    const rt::Text name = rt::Text::fromBytes(bytes.substr(0, split));
    const rt::Text other = rt::Text::fromBytes(bytes.substr(split));

    const rt::Text forbidden = rt::Text::fromUtf8("abcdefghijklmnopqrstuvwxyz1234567890ABCDEFGHIJKLMNOPQRSTUVWXYZ");
    const letter::NameVerdict verdict = letter::checkName(name, forbidden);
    require((verdict == letter::NameVerdict::Missing) == name.empty());
    if (verdict == letter::NameVerdict::Accepted) {
        require(rt::length(name) >= 4);
        // No GB18030 trail byte is below 0x30 or is 0x7F: such a byte is a
        // control character of its own, and an accepted name has none.
        for (const char byte : name.bytes()) require(static_cast<unsigned char>(byte) >= 0x20 && byte != 0x7F);
    }

    for (std::int64_t n : {-1L, 0L, 1L, 2L, static_cast<long>(size / 2), static_cast<long>(size) + 1}) {
        const rt::Text l = rt::left(other, n);
        const rt::Text r = rt::right(other, n);
        require(rt::length(l) == rt::length(r));
        require(rt::length(l) == std::max<std::int64_t>(0, std::min<std::int64_t>(n, rt::length(other))));
        require((l + rt::right(other, rt::length(other) - rt::length(l))) == other);
    }
    const std::int64_t at = rt::find(other, name);
    if (at > 0) {
        require(other.bytes().compare(static_cast<std::size_t>(at - 1), name.size(), name.bytes()) == 0);
    }
    std::size_t walked = 0;
    while (walked < other.size()) {
        const std::size_t step = rt::characterLength(other.bytes(), walked);
        require(step >= 1 && step <= 4);
        walked += step;
    }
    require(walked == other.size());

    // Round trips: GB18030 -> UTF-8 -> GB18030 keeps every well-formed text.
    const std::string utf8 = rt::gb18030ToUtf8(other.bytes());
    const std::string back = rt::utf8ToGb18030(utf8);
    require(rt::gb18030ToUtf8(back) == utf8);
    require(rt::toLf(rt::toCrLf(bytes)) == rt::toLf(bytes));
    return 0;
}
