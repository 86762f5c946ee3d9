// SPDX-License-Identifier: GPL-3.0-or-later
// Whether a typed name can head a letter: present, neither starting nor
// ending with a letter or digit, at least 4 bytes long, and free of
// characters that cannot be seen.
#pragma once

#include "runtime/text.h"

namespace letter {

enum class NameVerdict { Accepted, Missing, LetterOrDigitAtEnd, TooShort, InvisibleCharacter };

// The checks in their order. The invisible characters come last, so that
// every name refused before they were checked keeps its message: control
// characters (C0, DEL, C1), which would break the letter's lines or cut the
// saved file; bidirectional controls, which would show the name reordered;
// and noncharacters. A name is refused at either end only when
// that end is a single-byte character listed in `forbidden`: the second byte
// of a two-byte character (李玥 ends in the byte of "h") or the last byte of a
// four-byte form is part of a Chinese character, not a letter or digit.
NameVerdict checkName(const rt::Text& name, const rt::Text& forbidden);

}  // namespace letter
