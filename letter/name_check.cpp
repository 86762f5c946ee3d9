#include "letter/name_check.h"

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

}  // namespace

NameVerdict checkName(const rt::Text& name, const rt::Text& forbidden) {
    if (name == rt::Text()) return NameVerdict::Missing;
    if (listed(singleByteEnd(name, false), forbidden) || listed(singleByteEnd(name, true), forbidden))
        return NameVerdict::LetterOrDigitAtEnd;
    if (rt::length(name) <= 3) return NameVerdict::TooShort;
    return NameVerdict::Accepted;
}

}  // namespace letter
