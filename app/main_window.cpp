// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/main_window.h"

#include "app/banner_ticker.h"
#include "app/globals.h"
#include "app/main_window_design.h"
#include "output/print.h"
#include "output/save.h"

namespace app {
namespace {

MainWindow* theMainWindow = nullptr;

std::array<rt::CheckBox*, letter::kStyleCount> styleBoxes(const rt::Window& window) {
    return {&window.get<rt::CheckBox>("StyleBox1"), &window.get<rt::CheckBox>("StyleBox2"),
            &window.get<rt::CheckBox>("StyleBox3"), &window.get<rt::CheckBox>("StyleBox4"),
            &window.get<rt::CheckBox>("StyleBox5"), &window.get<rt::CheckBox>("StyleBox6")};
}

}  // namespace

MainWindow::MainWindow()
    : window(mainWindowDesign()),
      nameBox(window.get<rt::EditBox>("NameBox")),
      forbiddenCharsBox(window.get<rt::EditBox>("ForbiddenCharsBox")),
      letterBox(window.get<rt::EditBox>("LetterBox")),
      countLabel(window.get<rt::Label>("CountLabel")),
      bannerLabel(window.get<rt::Label>("BannerLabel")),
      bannerTimer(window.get<rt::Timer>("BannerTimer")),
      generateButton(window.get<rt::Button>("GenerateButton")),
      saveButton(window.get<rt::Button>("SaveButton")),
      printButton(window.get<rt::Button>("PrintButton")),
      bannerPicture(window.get<rt::PlainControl>("BannerPicture")),
      saveDialog(window.get<rt::SaveDialog>("SaveDialog")),
      wordApp(window.get<rt::WordApp>("WordAppObject")),
      wordDocuments(window.get<rt::WordDocuments>("WordDocumentsObject")),
      composer(nameBox, forbiddenCharsBox, letterBox, countLabel, Salutation, OpeningPickMemory),
      styleSelector(styleBoxes(window), Salutation) {
    theMainWindow = this;
    generateButton.onClick([this] { composer.Generate(); });
    saveButton.onClick([this] { output::Save(letterBox, saveDialog); });
    printButton.onClick([this] { output::Print(letterBox, wordApp, wordDocuments); });
    styleSelector.bind();
    bannerTimer.onTick(BannerTimerTick);
}

MainWindow::~MainWindow() {
    if (theMainWindow == this) theMainWindow = nullptr;
}

MainWindow* mainWindow() { return theMainWindow; }

}  // namespace app
