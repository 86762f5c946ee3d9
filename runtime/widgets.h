// SPDX-License-Identifier: GPL-3.0-or-later
// Inside the run time only: the toolkit widgets that stand for the control
// types of the designs.
#pragma once

#include <QColor>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QTextLayout>
#include <QString>
#include <QWidget>
#include <functional>
#include <optional>

namespace rt {

// A label drawn by hand: one line, vertically centred, cut at its edges
// (on both sides when centred), ampersands shown as they are, optionally
// raised (white one pixel down-right under the coloured caption, black on a
// dark palette). Without a colour of its own it takes the palette's window
// text colour.
class PaintedLabel : public QWidget {
public:
    PaintedLabel(QWidget* parent, std::optional<QColor> colour, Qt::Alignment align, bool raised);
    void setCaption(const QString& caption);
    QString caption() const { return caption_; }
    // The colour the caption is drawn in under the current palette.
    QColor textColour() const;

protected:
    void paintEvent(QPaintEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    QString caption_;
    // The banner shows ten growing prefixes of one text a second: a caption
    // that begins the text already laid out and drawn is a part of that
    // drawing, clipped to its own width, instead of being laid out again.
    QTextLayout layout_;
    // The laid-out text drawn once (raised, in colour) for quick prefix blits,
    // at the screen's pixel density.
    QPixmap drawn_;
    std::optional<QColor> colour_;
    Qt::Alignment align_;
    bool raised_;
};

// A web link: blue until a press opens its address, dark red after one that
// did, a lighter blue while the pointer is over it; opens on press. On a dark
// palette the same hues are lightened to stay readable.
class LinkLabel : public QWidget {
public:
    static constexpr QColor normal{0, 0, 255};
    static constexpr QColor visited{128, 0, 0};
    static constexpr QColor hover{49, 106, 197};

    LinkLabel(QWidget* parent, const QString& caption, const QString& address);
    QColor currentColour() const;
    bool opened() const { return opened_; }
    const QString& caption() const { return caption_; }
    const QString& address() const { return address_; }
    // What a press does: opens the address and shows whether that worked.
    void open();

protected:
    void paintEvent(QPaintEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    QString caption_;
    QString address_;
    bool hovered_ = false;
    bool opened_ = false;
};

// While a modal window (a message box, the save dialog) is open, the windows
// beneath it are not the user's to use. Qt keeps the mouse and keys from
// them, but not a press sent over the accessibility bus or a click made by a
// program: the controls refuse those themselves.
bool beneathModalWindow(const QWidget* control);

// Opens a web address with the desktop's handler, falling back to the
// system's browser command. Tests replace it.
using UrlOpener = std::function<bool(const QString& address)>;
void setUrlOpener(UrlOpener opener);
bool openUrl(const QString& address);

// A flat push button with a border and no focus rectangle (unless asked
// for), whose own tooltip is wrapped at 400 pixels. Enter, Return and Space
// all press it while it has the focus.
class FlatButton : public QPushButton {
public:
    FlatButton(QWidget* parent, const QString& caption, bool focusRect);

protected:
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    // The tip is wrapped when it is shown, not when the button is made:
    // measuring text in the tip font costs start-up time.
    bool event(QEvent* event) override;

private:
    bool focusRect_;
};

// Breaks a tooltip into lines no wider than `width` pixels in the tooltip font.
QString wrapTooltip(const QString& text, int width);

}  // namespace rt
