// SPDX-License-Identifier: GPL-3.0-or-later
// Inside the run time only: the program's two faces. The fixed layouts are
// drawn for a 12-pixel CJK font; naming the families keeps fontconfig from
// picking Japanese glyph forms under some locales.
#pragma once

#include <QFont>
#include <QStringList>

namespace rt {

// Captions, labels, buttons and Qt's own dialogs.
QFont interfaceFont();

// Text the user reads and edits as a document (the letter, the constitution)
// and the printed letter: the same Chinese glyphs, with Latin letters and
// spaces half a Chinese character wide, so that the runs of spaces that
// place the title and the closing lines measure as they were written.
QFont documentFont();

}  // namespace rt
