// SPDX-License-Identifier: GPL-3.0-or-later
#include "runtime/document_box.h"

#include <QEvent>
#include <QScrollBar>
#include <QTimer>

namespace rt {

DocumentBox::DocumentBox(QWidget* parent) : QPlainTextEdit(parent) {
    // While centring on scroll, Qt sizes the scroll bar from the line count
    // alone instead of laying out the last page first.
    setCenterOnScroll(true);
}

void DocumentBox::setFace(const QFont& face) {
    if (isVisible()) {
        setFont(face);
        return;
    }
    face_ = face;
}

void DocumentBox::setTextWhenSeen(std::function<QString()> text) {
    const bool alreadyWaiting = static_cast<bool>(waitingText_);
    waitingText_ = std::move(text);
    caretToStart_ = false;
    if (isVisibleTo(window())) {
        settle();
        return;
    }
    if (alreadyWaiting) return;
    if (window()->isVisible())
        QTimer::singleShot(0, this, [this] { settle(); });
    else
        window()->installEventFilter(this);
}

void DocumentBox::settle() {
    if (!waitingText_) return;
    window()->removeEventFilter(this);
    const QString text = waitingText_();
    waitingText_ = nullptr;
    setPlainText(text);
    if (caretToStart_) moveCaretToStart();
}

void DocumentBox::moveCaretToStart() {
    if (waitingText_) {
        caretToStart_ = true;
        return;
    }
    moveCursor(QTextCursor::Start);
    verticalScrollBar()->setValue(0);
}

bool DocumentBox::event(QEvent* event) {
    if (event->type() == QEvent::Show) {
        settle();
        // Before the box is painted; polishing would be too early, as Qt
        // polishes a box when its palette is set.
        if (face_) {
            setFont(*face_);
            face_.reset();
        }
    }
    return QPlainTextEdit::event(event);
}

bool DocumentBox::eventFilter(QObject* watched, QEvent* event) {
    if (watched == window() && event->type() == QEvent::Paint && waitingText_) {
        window()->removeEventFilter(this);
        QTimer::singleShot(0, this, [this] { settle(); });
    }
    return false;
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
