// SPDX-License-Identifier: GPL-3.0-or-later
#include "runtime/widgets.h"

#include <QApplication>
#include <QDesktopServices>
#include <QEnterEvent>
#include <QFontMetrics>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QProcess>
#include <QStyleOptionButton>
#include <QStylePainter>
#include <QToolTip>
#include <QUrl>
#include <cmath>

#include "runtime/readable_colour.h"

namespace rt {

PaintedLabel::PaintedLabel(QWidget* parent, std::optional<QColor> colour, Qt::Alignment align, bool raised)
    : QWidget(parent), colour_(colour), align_(align), raised_(raised) {
    setAutoFillBackground(true);
    setBackgroundRole(QPalette::Window);
}

void PaintedLabel::setCaption(const QString& caption) {
    // A tick that only adds half a character changes nothing on the screen.
    if (caption == caption_) return;
    caption_ = caption;
    caption_.replace(QLatin1Char('\n'), QLatin1Char(' '));
    update();
}

QColor PaintedLabel::textColour() const {
    return colour_ ? readableOn(*colour_, palette()) : palette().color(QPalette::WindowText);
}

void PaintedLabel::changeEvent(QEvent* event) {
    if (event->type() == QEvent::PaletteChange || event->type() == QEvent::FontChange) {
        drawn_ = QPixmap();
        update();
    }
    QWidget::changeEvent(event);
}

void PaintedLabel::paintEvent(QPaintEvent*) {
    if (caption_.isEmpty()) return;
    const qreal ratio = devicePixelRatioF();
    if (drawn_.isNull() || drawn_.devicePixelRatio() != ratio || !layout_.text().startsWith(caption_)) {
        layout_.setText(caption_);
        layout_.setFont(font());
        QTextOption option;
        option.setWrapMode(QTextOption::NoWrap);
        layout_.setTextOption(option);
        layout_.beginLayout();
        layout_.createLine();
        layout_.endLayout();

        const QTextLine line = layout_.lineAt(0);
        const QSizeF size(line.cursorToX(static_cast<int>(caption_.size())) + 1, line.height() + 1);
        drawn_ = QPixmap((size * ratio).toSize() + QSize(1, 1));
        drawn_.setDevicePixelRatio(ratio);
        drawn_.fill(Qt::transparent);
        QPainter painter(&drawn_);
        if (raised_) {
            // The raised look is a highlight; on a dark window a white one
            // would blur the lightened caption, so it becomes a black shadow there.
            painter.setPen(isDark(palette()) ? Qt::black : Qt::white);
            layout_.draw(&painter, QPointF(1, 1));
        }
        painter.setPen(textColour());
        layout_.draw(&painter, QPointF(0, 0));
    }
    const QTextLine line = layout_.lineAt(0);
    // The white copy lies one pixel right of the coloured one.
    const qreal shownWidth = line.cursorToX(static_cast<int>(caption_.size())) + (raised_ ? 1 : 0);
    const qreal x = align_ & Qt::AlignHCenter ? std::round((width() - shownWidth + (raised_ ? 1 : 0)) / 2) : 0;
    const qreal y = std::round((height() - line.height()) / 2);
    // The drawing is copied pixel for pixel: its part is measured in the
    // drawing's own (device) pixels and placed on a whole device pixel.
    const QRectF part(0, 0, std::round(shownWidth * ratio), std::round((line.height() + 1) * ratio));
    QPainter painter(this);
    painter.drawPixmap(QPointF(std::round(x * ratio) / ratio, std::round(y * ratio) / ratio), drawn_, part);
}

LinkLabel::LinkLabel(QWidget* parent, const QString& caption, const QString& address)
    : QWidget(parent), caption_(caption), address_(address) {
    setCursor(Qt::PointingHandCursor);
    setAutoFillBackground(true);
    setBackgroundRole(QPalette::Window);
    setAttribute(Qt::WA_Hover);
}

QColor LinkLabel::currentColour() const {
    if (hovered_) return readableOn(hover, palette());
    return readableOn(opened_ ? visited : normal, palette());
}

void LinkLabel::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setPen(currentColour());
    painter.drawText(rect(), Qt::AlignCenter | Qt::TextSingleLine, caption_);
}

void LinkLabel::enterEvent(QEnterEvent*) {
    hovered_ = true;
    update();
}

void LinkLabel::leaveEvent(QEvent*) {
    hovered_ = false;
    update();
}

void LinkLabel::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) open();
}

void LinkLabel::open() {
    if (beneathModalWindow(this)) return;
    opened_ = openUrl(address_);
    update();
}

namespace {

UrlOpener& injectedOpener() {
    static UrlOpener opener;
    return opener;
}

}  // namespace

void setUrlOpener(UrlOpener opener) { injectedOpener() = std::move(opener); }

bool beneathModalWindow(const QWidget* control) {
    const QWidget* modal = QApplication::activeModalWidget();
    return modal != nullptr && modal != control->window();
}

bool openUrl(const QString& address) {
    if (injectedOpener()) return injectedOpener()(address);
    if (QDesktopServices::openUrl(QUrl(address))) return true;
    return QProcess::startDetached(QStringLiteral("x-www-browser"), {address});
}

FlatButton::FlatButton(QWidget* parent, const QString& caption, bool focusRect)
    : QPushButton(caption, parent), focusRect_(focusRect) {
    setFlat(true);
    setAutoDefault(false);
    setDefault(false);
}

void FlatButton::paintEvent(QPaintEvent*) {
    QStylePainter painter(this);
    QStyleOptionButton option;
    initStyleOption(&option);
    const bool down = isDown();
    const bool over = underMouse();
    const QColor ink = palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::ButtonText);
    QColor face = palette().color(down ? QPalette::Mid : over ? QPalette::Light : QPalette::Button);
    // Dark palettes may pair light text with a light shade: the face then
    // lightens only a little under the pointer.
    if (over && !down && contrastRatio(ink, face) < 4.5) face = palette().color(QPalette::Midlight);
    painter.fillRect(rect(), face);
    painter.setPen(palette().color(QPalette::Shadow));
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
    if (focusRect_ && hasFocus()) {
        QStyleOptionFocusRect focus;
        focus.initFrom(this);
        focus.rect = rect().adjusted(3, 3, -3, -3);
        painter.drawPrimitive(QStyle::PE_FrameFocusRect, focus);
    }
    painter.setPen(ink);
    painter.drawText(rect().translated(down ? 1 : 0, down ? 1 : 0), Qt::AlignCenter | Qt::TextSingleLine, text());
}

void FlatButton::keyPressEvent(QKeyEvent* event) {
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    if (!enter || (event->modifiers() & ~Qt::KeypadModifier) != Qt::NoModifier) {
        QPushButton::keyPressEvent(event);
        return;
    }
    // A held key presses once, as a held Space does.
    if (!event->isAutoRepeat()) click();
    event->accept();
}

bool FlatButton::event(QEvent* event) {
    if (event->type() != QEvent::ToolTip || toolTip().isEmpty()) return QPushButton::event(event);
    QToolTip::showText(static_cast<QHelpEvent*>(event)->globalPos(), wrapTooltip(toolTip(), 400), this);
    return true;
}

QString wrapTooltip(const QString& text, int width) {
    const QFontMetrics metrics(QToolTip::font());
    QString wrapped;
    QString line;
    for (const QChar c : text) {
        if (!line.isEmpty() && metrics.horizontalAdvance(line + c) > width) {
            wrapped += line + QLatin1Char('\n');
            line.clear();
        }
        line += c;
    }
    return wrapped + line;
}

}  // namespace rt
