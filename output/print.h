// What the Print button does: checks that the word processor is there and
// that there is a letter, writes the letter to a private temporary file and
// has the word processor open, print, close it and quit. Once the letter has
// been handed over it shows nothing, whatever the word processor answers.
#pragma once

#include "runtime/controls.h"
#include "runtime/word_automation.h"

namespace output {

void Print(const rt::EditBox& letterBox, rt::WordApp& wordApp, rt::WordDocuments& wordDocuments);

// Where Print leaves the letter for the word processor.
rt::Text printFilePath();

}  // namespace output
