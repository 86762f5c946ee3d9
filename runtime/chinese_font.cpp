// SPDX-License-Identifier: GPL-3.0-or-later
#include "runtime/chinese_font.h"

#include <QFontDatabase>
#include <QMessageBox>
#include <QPushButton>
#include <QStringList>
#include <cstdio>

namespace rt {
namespace {

const char kLine[] = "qintara: no font for Chinese text is installed; install the package fonts-noto-cjk";
const char kTitle[] = "Qintara";
const char kMessage[] =
    "Qintara cannot show its windows: no font for Chinese text is installed.\n\n"
    "Install the package fonts-noto-cjk (for example: sudo apt install fonts-noto-cjk) and start Qintara again.";

}  // namespace

bool chineseFontInstalled() { return !QFontDatabase::families(QFontDatabase::SimplifiedChinese).isEmpty(); }

void reportMissingChineseFont() {
    std::fprintf(stderr, "%s\n", kLine);
    QMessageBox box(QMessageBox::Warning, QString::fromUtf8(kTitle), QString::fromUtf8(kMessage), QMessageBox::Ok);
    // Qt's Chinese translation of the button would be empty boxes too.
    box.button(QMessageBox::Ok)->setText(QStringLiteral("OK"));
    box.setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    box.exec();
}

}  // namespace rt
