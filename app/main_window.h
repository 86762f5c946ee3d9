// SPDX-License-Identifier: GPL-3.0-or-later
// The working window: built from its design, every control the program uses
// looked up once by name, and its events bound to their handlers.
#pragma once

#include <memory>

#include "letter/composer.h"
#include "letter/style_selector.h"
#include "runtime/save_dialog.h"
#include "runtime/window.h"
#include "runtime/word_automation.h"

namespace app {

class MainWindow {
public:
    MainWindow();
    ~MainWindow();
    MainWindow(const MainWindow&) = delete;
    MainWindow& operator=(const MainWindow&) = delete;

    rt::Window window;

    rt::EditBox& nameBox;
    rt::EditBox& forbiddenCharsBox;
    rt::EditBox& letterBox;
    rt::Label& countLabel;
    rt::Label& bannerLabel;
    rt::Timer& bannerTimer;
    rt::Button& generateButton;
    rt::Button& saveButton;
    rt::Button& printButton;
    rt::Control& bannerPicture;
    rt::SaveDialog& saveDialog;
    rt::WordApp& wordApp;
    rt::WordDocuments& wordDocuments;

    letter::LetterComposer composer;
    letter::StyleSelector styleSelector;
};

// The one main window of the run, for the handlers; null before it exists.
MainWindow* mainWindow();

}  // namespace app
