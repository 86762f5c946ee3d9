#include "runtime/widgets.h"

#include <QDesktopServices>
#include <QEnterEvent>
#include <QHelpEvent>
#include <QFontMetrics>
#include <QMouseEvent>
#include <QPainter>
#include <QProcess>
#include <QStyleOptionButton>
#include <QStylePainter>
#include <QToolTip>
#include <QUrl>
#include <cmath>

namespace rt {

PaintedLabel::PaintedLabel(QWidget* parent, QColor colour, Qt::Alignment align, bool raised)
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

void PaintedLabel::paintEvent(QPaintEvent*) {
    if (caption_.isEmpty()) return;
    if (drawn_.isNull() || !layout_.text().startsWith(caption_)) {
        layout_.setText(caption_);
        layout_.setFont(font());
        QTextOption option;
        option.setWrapMode(QTextOption::NoWrap);
        layout_.setTextOption(option);
        layout_.beginLayout();
        layout_.createLine();
        layout_.endLayout();

        const QTextLine line = layout_.lineAt(0);
        const qreal ratio = devicePixelRatioF();
        const QSizeF size(line.cursorToX(static_cast<int>(caption_.size())) + 1, line.height() + 1);
        drawn_ = QPixmap((size * ratio).toSize() + QSize(1, 1));
        drawn_.setDevicePixelRatio(ratio);
        drawn_.fill(Qt::transparent);
        QPainter painter(&drawn_);
        if (raised_) {
            painter.setPen(Qt::white);
            layout_.draw(&painter, QPointF(1, 1));
        }
        painter.setPen(colour_);
        layout_.draw(&painter, QPointF(0, 0));
    }
    const QTextLine line = layout_.lineAt(0);
    // The white copy lies one pixel right of the coloured one.
    const qreal shownWidth = line.cursorToX(static_cast<int>(caption_.size())) + (raised_ ? 1 : 0);
    const qreal x = align_ & Qt::AlignHCenter ? std::round((width() - shownWidth + (raised_ ? 1 : 0)) / 2) : 0;
    const qreal y = std::round((height() - line.height()) / 2);
    QPainter painter(this);
    painter.drawPixmap(QPointF(x, y), drawn_, QRectF(0, 0, shownWidth, line.height() + 1));
}

LinkLabel::LinkLabel(QWidget* parent, const QString& caption, const QString& address)
    : QWidget(parent), caption_(caption), address_(address) {
    setCursor(Qt::PointingHandCursor);
    setAutoFillBackground(true);
    setBackgroundRole(QPalette::Window);
    setAttribute(Qt::WA_Hover);
}

QColor LinkLabel::currentColour() const {
    if (hovered_) return hover;
    return opened_ ? visited : normal;
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
    painter.fillRect(rect(), down ? palette().mid() : over ? palette().light() : palette().button());
    painter.setPen(palette().color(QPalette::Shadow));
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
    if (focusRect_ && hasFocus()) {
        QStyleOptionFocusRect focus;
        focus.initFrom(this);
        focus.rect = rect().adjusted(3, 3, -3, -3);
        painter.drawPrimitive(QStyle::PE_FrameFocusRect, focus);
    }
    painter.setPen(palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::ButtonText));
    painter.drawText(rect().translated(down ? 1 : 0, down ? 1 : 0), Qt::AlignCenter | Qt::TextSingleLine, text());
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
