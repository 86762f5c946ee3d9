// SPDX-License-Identifier: GPL-3.0-or-later
// Inside the run time only: the program's text <-> the toolkit's strings.
#pragma once

#include <QString>

#include "runtime/text.h"

namespace rt {

// CR LF becomes a line break; bytes that do not decode show as U+FFFD.
QString toQString(const Text& text);
// Line breaks become CR LF.
Text fromQString(const QString& string);
// For a label: drops a last character that the text cuts short.
QString toQStringWholeCharacters(const Text& text);

}  // namespace rt
