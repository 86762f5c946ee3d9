// SPDX-License-Identifier: GPL-3.0-or-later
// Lays plain text out on a printer's pages and paints it, a paragraph at a
// time and a long paragraph a piece at a time, so that no coordinate grows
// with the length of the document: a text laid out whole overflows the
// toolkit's fixed-point coordinates after some 2,800 pages at printer
// resolution and loses the rest. Each page gets exactly its own lines (no
// line is clipped at a page's foot). A document longer than a few pages
// shows its progress and keeps the windows painting while it prints.
#pragma once

#include <QFont>
#include <QString>

class QPrinter;

namespace rt {

// False when the printer failed.
bool printPlainText(const QString& text, const QFont& font, QPrinter& printer, const QString& documentName);

}  // namespace rt
