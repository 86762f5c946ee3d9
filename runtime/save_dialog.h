// SPDX-License-Identifier: GPL-3.0-or-later
// The save-file dialog of a window: fixed settings (one ".doc" filter, the
// suffix "doc" added to a name typed without one, a question before an
// existing file is replaced) and one piece of state, the full path of the
// last confirmed choice, which the next run starts from.
#pragma once

#include <functional>
#include <optional>

#include "runtime/controls.h"
#include "runtime/text.h"

class QFileDialog;

namespace rt {

class SaveDialog : public Control {
public:
    explicit SaveDialog(const ControlDesign& design) : Control(design) {}

    // Shows the dialog modally, opened at fileName(). True when the user
    // confirmed a choice, which then becomes fileName(); a cancel keeps it.
    bool run();
    Text fileName() const { return fileName_; }

private:
    Text fileName_;
};

// The dialog as the user meets it, with every fixed setting applied and the
// file-name box filled with `start`. Shared by run() and the tests that
// check the settings.
void configureSaveDialog(QFileDialog& dialog, const Text& start);

// Tests answer the dialog themselves: while an answer is set, run() calls it
// with the path the dialog would open at instead of showing anything. It
// returns the full path chosen, or nothing for a cancel.
using SaveDialogAnswer = std::function<std::optional<Text>(const Text& start)>;
void setSaveDialogAnswer(SaveDialogAnswer answer);

}  // namespace rt
