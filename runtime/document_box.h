// SPDX-License-Identifier: GPL-3.0-or-later
// Inside the run time only: the multi-line edit box. Shown with its text at
// the start, it lays out only the lines of its first page before it is first
// painted; the rest (which Qt otherwise lays out at once, to size the scroll
// bar from the last page) waits until the user sees the first page.
#pragma once

#include <QFont>
#include <QPlainTextEdit>
#include <optional>

namespace rt {

class DocumentBox : public QPlainTextEdit {
public:
    explicit DocumentBox(QWidget* parent);

    // Loading a face costs milliseconds: a box in a window that is still
    // hidden (the main window while the reader is open) takes it only when
    // it is about to be shown.
    void setFace(const QFont& face);

protected:
    bool event(QEvent* event) override;
    bool viewportEvent(QEvent* event) override;

private:
    bool painted_ = false;
    std::optional<QFont> face_;
};

}  // namespace rt
