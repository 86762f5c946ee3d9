// SPDX-License-Identifier: GPL-3.0-or-later
#include "tests/support/fixtures.h"

#include <QApplication>
#include <QInputMethodEvent>

namespace testing_support {

void typeText(QWidget* widget, const QString& text) {
    widget->setFocus();
    QInputMethodEvent event;
    event.setCommitString(text);
    QApplication::sendEvent(widget, &event);
}

}  // namespace testing_support
