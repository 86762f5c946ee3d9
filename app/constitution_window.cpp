// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/constitution_window.h"

#include "app/constitution_window_design.h"
#include "resources/embedded.h"
#include "runtime/application.h"
#include "runtime/midi.h"

namespace app {
namespace {

ConstitutionWindow* theConstitutionWindow = nullptr;

}  // namespace

ConstitutionWindow::ConstitutionWindow()
    : window(constitutionWindowDesign()),
      generalProgramBox(window.get<rt::EditBox>("GeneralProgramBox")),
      articlesBox(window.get<rt::EditBox>("ArticlesBox")),
      readButton(window.get<rt::Button>("ReadButton")),
      notReadButton(window.get<rt::Button>("NotReadButton")) {
    generalProgramBox.setText(rt::Text::fromBytes(res::generalProgramText));
    articlesBox.setText(rt::Text::fromBytes(res::articlesText));
    generalProgramBox.moveCaretToStart();
    articlesBox.moveCaretToStart();
    readButton.onClick(ReadButtonClicked);
    notReadButton.onClick(NotReadButtonClicked);
    theConstitutionWindow = this;
}

ConstitutionWindow::~ConstitutionWindow() {
    if (theConstitutionWindow == this) theConstitutionWindow = nullptr;
}

ConstitutionWindow* constitutionWindow() { return theConstitutionWindow; }

void ConstitutionWindowCreated() { rt::playMidi({res::constitutionTune1, res::constitutionTune2}); }

void ReadButtonClicked() {
    // The music goes on under the main window.
    if (ConstitutionWindow* gate = constitutionWindow()) rt::Application::instance().destroyWindow(gate->window);
}

void NotReadButtonClicked() { rt::Application::instance().endApplication(0); }

}  // namespace app
