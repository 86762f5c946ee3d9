// SPDX-License-Identifier: GPL-3.0-or-later
// Inside the run time only: the multi-line edit box. Shown with its text at
// the start, it lays out only the lines of its first page before it is first
// painted; the rest (which Qt otherwise lays out at once, to size the scroll
// bar from the last page) waits until the user sees the first page.
#pragma once

#include <QFont>
#include <QPlainTextEdit>
#include <functional>
#include <optional>

namespace rt {

class DocumentBox : public QPlainTextEdit {
public:
    explicit DocumentBox(QWidget* parent);

    // Loading a face costs milliseconds: a box in a window that is still
    // hidden (the main window while the reader is open) takes it only when
    // it is first shown.
    void setFace(const QFont& face);

    // Converting and laying out a long text costs milliseconds too. A box
    // on a page its window does not show (a second tab page) gets its text
    // when it is first shown, or just after its window is first painted (at
    // once, if it already has been), whichever comes first.
    void setTextWhenSeen(std::function<QString()> text);
    // Puts a waiting text in now.
    void settle();
    // Caret to the start of the text, showing the first line; for a waiting
    // text, once it is put in.
    void moveCaretToStart();

protected:
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    bool viewportEvent(QEvent* event) override;

private:
    bool painted_ = false;
    std::optional<QFont> face_;
    std::function<QString()> waitingText_;
    bool caretToStart_ = false;
};

}  // namespace rt
