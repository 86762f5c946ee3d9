// Whether a typed name can head a letter: present, neither starting nor
// ending with a letter or digit, and at least 4 bytes long.
#pragma once

#include "runtime/text.h"

namespace letter {

enum class NameVerdict { Accepted, Missing, LetterOrDigitAtEnd, TooShort };

// The three checks in their order. A name is refused at either end only when
// that end is a single-byte character listed in `forbidden`: the second byte
// of a two-byte character (李玥 ends in the byte of "h") or the last byte of a
// four-byte form is part of a Chinese character, not a letter or digit.
NameVerdict checkName(const rt::Text& name, const rt::Text& forbidden);

}  // namespace letter
