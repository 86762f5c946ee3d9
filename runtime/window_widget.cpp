// SPDX-License-Identifier: GPL-3.0-or-later
#include "runtime/window_widget.h"

#include <QApplication>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QTimer>

namespace rt {
namespace {

Qt::WindowFlags flagsFor(const WindowDesign& design) {
    Qt::WindowFlags flags = Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint;
    if (design.systemMenu) flags |= Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
    if (design.minimiseBox) flags |= Qt::WindowMinimizeButtonHint;
    return flags;
}

}  // namespace

WindowWidget::WindowWidget(const WindowDesign& design)
    : QWidget(nullptr, flagsFor(design)), escapeCloses_(design.escapeCloses) {
    setAttribute(Qt::WA_AlwaysShowToolTips);
    if (escapeCloses_) qApp->installEventFilter(this);
}

void WindowWidget::closeEvent(QCloseEvent* event) {
    if (onCloseRequest) {
        // The owner carries the close out itself once the current event is done.
        event->ignore();
        onCloseRequest();
        return;
    }
    event->accept();
}

bool WindowWidget::eventFilter(QObject* watched, QEvent* event) {
    // Esc closes the window whichever of its controls has the focus: it is
    // seen here before any control could claim it.
    if (event->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape) {
        auto* target = qobject_cast<QWidget*>(watched);
        if (target != nullptr && target->window() == this && isVisible()) {
            QTimer::singleShot(0, this, [this] { close(); });
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

}  // namespace rt
