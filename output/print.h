// SPDX-License-Identifier: GPL-3.0-or-later
// What the Print button does: checks that the word processor is there and
// that there is a letter, writes the letter to a private file of its own and
// has the word processor open, print, close it and quit, then removes the
// file. A letter that cannot be written is not printed and the user is told
// why; once the letter has been handed over it shows nothing, whatever the
// word processor answers.
#pragma once

#include "runtime/controls.h"
#include "runtime/word_automation.h"

namespace output {

void Print(const rt::EditBox& letterBox, rt::WordApp& wordApp, rt::WordDocuments& wordDocuments);

}  // namespace output
