// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/globals.h"

namespace app {

rt::Text Salutation;
rt::Text BannerText;
std::int32_t RevealCount = 0;
rt::Text RevealedText;
std::int32_t OpeningPickMemory = 0;

}  // namespace app
