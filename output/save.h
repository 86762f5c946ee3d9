// SPDX-License-Identifier: GPL-3.0-or-later
// What the Save button does: writes the letter LetterBox holds, byte for
// byte, to the file the user picks in the save dialog, and says how it went.
// It reads nothing but LetterBox and the dialog and changes no control.
#pragma once

#include "runtime/controls.h"
#include "runtime/save_dialog.h"

namespace output {

void Save(const rt::EditBox& letterBox, rt::SaveDialog& saveDialog);

}  // namespace output
