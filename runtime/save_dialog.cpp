// SPDX-License-Identifier: GPL-3.0-or-later
#include "runtime/save_dialog.h"

#include <QFileDialog>

#include "runtime/qt_text.h"

namespace rt {
namespace {

SaveDialogAnswer& injectedAnswer() {
    static SaveDialogAnswer answer;
    return answer;
}

}  // namespace

void configureSaveDialog(QFileDialog& dialog, const Text& start) {
    // Qt's own dialog, so that it looks and behaves the same on every desktop
    // and under test.
    dialog.setOption(QFileDialog::DontUseNativeDialog, true);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setOption(QFileDialog::DontConfirmOverwrite, false);
    dialog.setNameFilter(QStringLiteral("要保存的申请书文件名 (*.doc)"));
    dialog.setDefaultSuffix(QStringLiteral("doc"));
    dialog.setWindowModality(Qt::ApplicationModal);
    // An empty start leaves the dialog in the process's current folder, the
    // system's default; a full path opens its folder with the name filled in.
    if (!start.empty()) dialog.selectFile(toQString(start));
}

void setSaveDialogAnswer(SaveDialogAnswer answer) { injectedAnswer() = std::move(answer); }

bool SaveDialog::run() {
    std::optional<Text> chosen;
    if (injectedAnswer()) {
        chosen = injectedAnswer()(fileName_);
    } else {
        QFileDialog dialog;
        configureSaveDialog(dialog, fileName_);
        if (dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty()) {
            chosen = fromQString(QDir::toNativeSeparators(dialog.selectedFiles().constFirst()));
        }
    }
    if (!chosen) return false;
    fileName_ = *chosen;
    return true;
}

}  // namespace rt
