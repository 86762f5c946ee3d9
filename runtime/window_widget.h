// SPDX-License-Identifier: GPL-3.0-or-later
// Inside the run time only: the top-level widget of a designed window. It
// has a fixed size, the title-bar buttons its design allows, shows tooltips
// while inactive, and hands close requests and Esc to its owner.
#pragma once

#include <QWidget>
#include <functional>

#include "runtime/design.h"

namespace rt {

class WindowWidget : public QWidget {
public:
    explicit WindowWidget(const WindowDesign& design);
    // Called for every close request; without it the window just closes.
    std::function<void()> onCloseRequest;

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool escapeCloses_;
};

}  // namespace rt
