// SPDX-License-Identifier: GPL-3.0-or-later
// Inside the run time only: the program's two faces. The fixed layouts are
// drawn for a 12-pixel CJK font; naming the families keeps fontconfig from
// picking Japanese glyph forms under some locales.
#pragma once

#include <QFont>
#include <QStringList>

namespace rt {

// Captions, labels, buttons, the text boxes other than the letter's (the
// constitution), and Qt's own dialogs.
QFont interfaceFont();

// The letter, in its box and on paper: the same Chinese glyphs, with Latin
// letters and spaces half a Chinese character wide, so that the runs of
// spaces that place the title and the closing lines measure as they were
// written.
QFont documentFont();

}  // namespace rt
