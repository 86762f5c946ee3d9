// SPDX-License-Identifier: GPL-3.0-or-later
// Every window of the program is Chinese: without a font that covers
// Chinese it would show rows of empty boxes. The check, and the one message
// (in English, since that is what can still be read) naming the package.
#pragma once

namespace rt {

bool chineseFontInstalled();

// Says so on stderr and in a message box.
void reportMissingChineseFont();

}  // namespace rt
