// SPDX-License-Identifier: GPL-3.0-or-later
#include "runtime/tab_control.h"

#include <QPainter>
#include <QStyleOptionTabWidgetFrame>
#include <QStylePainter>

namespace rt {

TabControl::TabControl(QWidget* parent, const QString& first, const QString& second) : QWidget(parent) {
    for (auto& page : pages_) page = new QWidget(this);
    bar_ = new QTabBar(this);
    bar_->setDrawBase(false);
    bar_->setExpanding(false);
    bar_->setFocusPolicy(Qt::NoFocus);
    bar_->addTab(first);
    bar_->addTab(second);
    QObject::connect(bar_, &QTabBar::currentChanged, this, [this](int index) { show(index); });
    show(0);
}

void TabControl::show(int index) {
    for (std::size_t i = 0; i < pages_.size(); ++i) pages_[i]->setVisible(static_cast<int>(i) == index);
    bar_->raise();
}

void TabControl::resizeEvent(QResizeEvent*) {
    for (auto* page : pages_) page->setGeometry(rect());
    bar_->setGeometry(0, 0, width(), bar_->sizeHint().height());
}

void TabControl::paintEvent(QPaintEvent*) {
    QStylePainter painter(this);
    QStyleOptionTabWidgetFrame frame;
    frame.initFrom(this);
    frame.rect = rect().adjusted(0, bar_->sizeHint().height() - 1, 0, 0);
    painter.drawPrimitive(QStyle::PE_FrameTabWidget, frame);
}

}  // namespace rt
