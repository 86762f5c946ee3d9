// SPDX-License-Identifier: GPL-3.0-or-later
// Inside the run time only: a tab control whose pages cover the whole
// control, so a page's controls are placed relative to the control itself,
// with the row of tabs along the top. Selecting a tab shows its page and
// hides the other; the pages keep their contents and scroll positions.
#pragma once

#include <QTabBar>
#include <QWidget>
#include <array>

namespace rt {

class TabControl : public QWidget {
public:
    TabControl(QWidget* parent, const QString& first, const QString& second);
    QWidget* page(int index) const { return pages_.at(static_cast<std::size_t>(index)); }
    QTabBar* bar() const { return bar_; }
    int current() const { return bar_->currentIndex(); }

protected:
    void resizeEvent(QResizeEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void show(int index);

    QTabBar* bar_;
    std::array<QWidget*, 2> pages_{};
};

}  // namespace rt
