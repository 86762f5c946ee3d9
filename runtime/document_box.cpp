// SPDX-License-Identifier: GPL-3.0-or-later
#include "runtime/document_box.h"

#include <QEvent>
#include <QTimer>

namespace rt {

DocumentBox::DocumentBox(QWidget* parent) : QPlainTextEdit(parent) {
    // While centring on scroll, Qt sizes the scroll bar from the line count
    // alone instead of laying out the last page first.
    setCenterOnScroll(true);
}

void DocumentBox::setFace(const QFont& face) {
    if (testAttribute(Qt::WA_WState_Polished)) {
        setFont(face);
        return;
    }
    face_ = face;
}

bool DocumentBox::event(QEvent* event) {
    // Qt polishes a widget before it first shows or measures it.
    if (event->type() == QEvent::Polish && face_) {
        setFont(*face_);
        face_.reset();
    }
    return QPlainTextEdit::event(event);
}

bool DocumentBox::viewportEvent(QEvent* event) {
    const bool handled = QPlainTextEdit::viewportEvent(event);
    if (event->type() == QEvent::Paint && !painted_) {
        painted_ = true;
        // Turning it off lays out the last page and sets the scroll bar's
        // true range, so the text cannot scroll past its end.
        QTimer::singleShot(0, this, [this] { setCenterOnScroll(false); });
    }
    return handled;
}

}  // namespace rt
