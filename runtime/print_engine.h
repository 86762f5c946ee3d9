// SPDX-License-Identifier: GPL-3.0-or-later
// The run time's document-print engine: the automation server that answers
// to "Word.Application" on this platform. It opens a text file (GB18030),
// keeps the font size set on the selection, prints the whole document on
// the paper asked for (A4) through the default CUPS printer, shows the
// document only while Visible is set, and closes and quits on request.
// Without a printer to print on it says so in its own message, as a word
// processor does; otherwise it shows nothing.
#pragma once

#include <memory>

#include "runtime/automation.h"
#include "runtime/text.h"

namespace rt {

std::shared_ptr<AutomationServer> makeDocumentPrintEngine();

// The engine's message when there is no printer to print a document on.
Text noPrinterMessage(const Text& documentName);
Text printEngineTitle();

}  // namespace rt
