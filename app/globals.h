// SPDX-License-Identifier: GPL-3.0-or-later
// The application's shared state: five variables, created with the process,
// touched only on the user-interface thread. The texts own their values.
#pragma once

#include <cstdint>

#include "runtime/text.h"

namespace app {

extern rt::Text Salutation;              // the greeting of the next letter; styles write it
extern rt::Text BannerText;              // the banner's whole text, set once at start-up
extern std::int32_t RevealCount;         // bytes of BannerText the last tick showed
extern rt::Text RevealedText;            // the prefix last given to BannerLabel
extern std::int32_t OpeningPickMemory;   // the previous letter's opening, or 0 after a redraw

}  // namespace app
