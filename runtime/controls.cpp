// SPDX-License-Identifier: GPL-3.0-or-later
#include "runtime/controls.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTextCursor>
#include <QTimer>

#include "runtime/accessibility.h"
#include "runtime/document_box.h"
#include "runtime/qt_text.h"
#include "runtime/single_line.h"
#include "runtime/widgets.h"

namespace rt {
Text EditBox::text() const {
    if (auto* line = qobject_cast<QLineEdit*>(widget_)) return fromQString(line->text());
    auto* box = static_cast<DocumentBox*>(widget_);
    box->settle();
    return fromQString(box->toPlainText());
}

void EditBox::setText(const Text& text) {
    if (auto* line = qobject_cast<QLineEdit*>(widget_)) {
        const QString shown = toQString(text);
        if (const auto* oneLine = dynamic_cast<const FirstLineOnly*>(line->validator())) oneLine->expect(shown);
        line->setText(shown);
        return;
    }
    static_cast<DocumentBox*>(widget_)->setTextWhenSeen([text] { return toQString(text); });
}

void EditBox::append(const Text& text) {
    if (auto* line = qobject_cast<QLineEdit*>(widget_)) {
        line->end(false);
        line->insert(toQString(text));
        return;
    }
    auto* box = static_cast<DocumentBox*>(widget_);
    box->settle();
    box->moveCursor(QTextCursor::End);
    box->insertPlainText(toQString(text));
    box->ensureCursorVisible();
}

void EditBox::moveCaretToStart() {
    if (auto* line = qobject_cast<QLineEdit*>(widget_)) {
        line->setCursorPosition(0);
        return;
    }
    static_cast<DocumentBox*>(widget_)->moveCaretToStart();
}

void EditBox::moveCaretToEnd() {
    if (auto* line = qobject_cast<QLineEdit*>(widget_)) {
        line->end(false);
        return;
    }
    auto* box = static_cast<DocumentBox*>(widget_);
    box->settle();
    box->moveCursor(QTextCursor::End);
    box->ensureCursorVisible();
}

void Label::setCaption(const Text& caption) {
    caption_ = caption;
    static_cast<PaintedLabel*>(widget_)->setCaption(toQStringWholeCharacters(caption));
    if (!design().ticker) announceNameChange(widget_);
}

CheckBox::CheckBox(const ControlDesign& design, QWidget* widget) : Control(design), widget_(widget) {
    // clicked() comes only from the user (mouse or space bar), after the toggle.
    auto* box = static_cast<QCheckBox*>(widget_);
    QObject::connect(box, &QCheckBox::clicked, box, [this] {
        if (clicked_ && !beneathModalWindow(widget_)) clicked_();
    });
    // The program sets no box while a modal window is open, so a toggle then
    // (an accessible toggle action, a click made by a program) is undone.
    QObject::connect(box, &QCheckBox::toggled, box, [box](bool checked) {
        if (!beneathModalWindow(box)) return;
        const QSignalBlocker quiet(box);
        box->setChecked(!checked);
    });
}

int CheckBox::checked() const { return static_cast<QCheckBox*>(widget_)->isChecked() ? 1 : 0; }

void CheckBox::setChecked(int state) { static_cast<QCheckBox*>(widget_)->setChecked(state != 0); }

Button::Button(const ControlDesign& design, QWidget* widget) : Control(design), widget_(widget) {
    QObject::connect(static_cast<QPushButton*>(widget_), &QPushButton::clicked, widget_, [this] {
        if (clicked_ && !beneathModalWindow(widget_)) clicked_();
    });
}

Timer::Timer(const ControlDesign& design) : Control(design), timer_(new QTimer) {
    QObject::connect(timer_, &QTimer::timeout, timer_, [this] {
        if (tick_) tick_();
    });
}

Timer::~Timer() { delete timer_; }

void Timer::setPeriod(int milliseconds) {
    period_ = milliseconds;
    if (milliseconds <= 0) {
        timer_->stop();
    } else {
        timer_->start(milliseconds);
    }
}

void addTooltip(const Control& control, const Text& text) {
    // Plain text with its line breaks taken out stays on one line.
    QString tip = toQString(text);
    tip.replace(QLatin1Char('\n'), QLatin1Char(' '));
    control.widget()->setToolTip(tip);
}

}  // namespace rt
