// SPDX-License-Identifier: GPL-3.0-or-later
// The start-up gate: the Party constitution in two pages while two tunes
// play. ReadButton (or Esc, or a close request) lets the user on to the main
// window; NotReadButton ends the program. The window keeps no state of its
// own beyond its controls.
#pragma once

#include "runtime/window.h"

namespace app {

class ConstitutionWindow {
public:
    // Built hidden, the boxes already holding their texts with the caret at
    // the start.
    ConstitutionWindow();
    ~ConstitutionWindow();
    ConstitutionWindow(const ConstitutionWindow&) = delete;
    ConstitutionWindow& operator=(const ConstitutionWindow&) = delete;

    rt::Window window;

    rt::EditBox& generalProgramBox;
    rt::EditBox& articlesBox;
    rt::Button& readButton;
    rt::Button& notReadButton;
};

// The window while it exists, for the handlers; null otherwise.
ConstitutionWindow* constitutionWindow();

void ConstitutionWindowCreated();
void ReadButtonClicked();
void NotReadButtonClicked();

}  // namespace app
