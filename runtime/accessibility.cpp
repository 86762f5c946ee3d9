// SPDX-License-Identifier: GPL-3.0-or-later
#include "runtime/accessibility.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QLineEdit>

#include "runtime/picture_box.h"
#include "runtime/widgets.h"
#include "runtime/window_widget.h"

namespace rt {
namespace {

constexpr char kOffscreen[] = "rtOffscreen";

class LabelAccessible : public QAccessibleWidget {
public:
    explicit LabelAccessible(PaintedLabel* label) : QAccessibleWidget(label, QAccessible::StaticText) {}

    QString text(QAccessible::Text t) const override {
        if (t != QAccessible::Name) return QAccessibleWidget::text(t);
        // The banner pads its text with long runs of spaces that say nothing.
        QString caption = static_cast<PaintedLabel*>(widget())->caption();
        while (!caption.isEmpty() && caption.back().isSpace()) caption.chop(1);
        return caption;
    }
};

class LinkAccessible : public QAccessibleWidget {
public:
    explicit LinkAccessible(LinkLabel* link) : QAccessibleWidget(link, QAccessible::Link) {}

    QString text(QAccessible::Text t) const override {
        switch (t) {
            case QAccessible::Name:
                return link()->caption();
            case QAccessible::Description:
                return link()->address();
            default:
                return QAccessibleWidget::text(t);
        }
    }
    QAccessible::State state() const override {
        QAccessible::State state = QAccessibleWidget::state();
        state.linked = true;
        state.traversed = link()->opened();
        return state;
    }
    QStringList actionNames() const override { return {pressAction()}; }
    void doAction(const QString& action) override {
        if (action == pressAction()) link()->open();
    }

private:
    LinkLabel* link() const { return static_cast<LinkLabel*>(widget()); }
};

// Such a box has nothing to read and cannot be seen: it keeps only its role
// and its place in the focus chain.
class OffscreenEditAccessible : public QAccessibleWidget {
public:
    explicit OffscreenEditAccessible(QLineEdit* box) : QAccessibleWidget(box, QAccessible::EditableText) {}

    QAccessible::State state() const override {
        QAccessible::State state = QAccessibleWidget::state();
        state.offscreen = true;
        return state;
    }
};

// Asked before the toolkit's own factory, for every class of the object from
// the most derived up; null leaves the object to the toolkit.
QAccessibleInterface* describe(const QString&, QObject* object) {
    auto* widget = qobject_cast<QWidget*>(object);
    if (widget == nullptr) return nullptr;
    if (auto* window = dynamic_cast<WindowWidget*>(widget)) return new QAccessibleWidget(window, QAccessible::Window);
    if (auto* label = dynamic_cast<PaintedLabel*>(widget)) return new LabelAccessible(label);
    if (auto* link = dynamic_cast<LinkLabel*>(widget)) return new LinkAccessible(link);
    // A picture, though it decodes its image only when first drawn.
    if (auto* picture = dynamic_cast<PictureBox*>(widget)) return new QAccessibleWidget(picture, QAccessible::Graphic);
    if (auto* box = qobject_cast<QLineEdit*>(widget); box != nullptr && box->property(kOffscreen).toBool())
        return new OffscreenEditAccessible(box);
    return nullptr;
}

}  // namespace

void markOffscreen(QWidget* widget) { widget->setProperty(kOffscreen, true); }

void announceNameChange(QWidget* widget) {
    QAccessibleEvent event(widget, QAccessible::NameChanged);
    QAccessible::updateAccessibility(&event);
}

void installAccessibility() {
    static const bool installed = [] {
        QAccessible::installFactory(describe);
        return true;
    }();
    (void)installed;
}

}  // namespace rt
