// SPDX-License-Identifier: GPL-3.0-or-later
// Inside the run time only: a single-line box keeps one line. Text the user
// puts in (pasted, dropped, committed by an input method) is cut at its first
// line break, as single-line edit boxes do; text the program sets is kept as
// it is.
#pragma once

#include <QLineEdit>
#include <QString>
#include <QValidator>

namespace rt {

class FirstLineOnly : public QValidator {
public:
    explicit FirstLineOnly(QLineEdit* box);
    // The program is about to set the box's text: it is not the user's.
    void expect(const QString& text) const { previous_ = text; }
    State validate(QString& input, int& pos) const override;

private:
    // The box's text as last seen, to tell what an edit put in.
    mutable QString previous_;
};

}  // namespace rt
