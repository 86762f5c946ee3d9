// SPDX-License-Identifier: GPL-3.0-or-later
// Handles on the controls of a window built from its design. The handles
// speak the program's text type; conversion to what the toolkit shows, and
// CR LF <-> line breaks, happen here at the control boundary.
#pragma once

#include <functional>
#include <string>

#include "runtime/design.h"
#include "runtime/text.h"

class QWidget;
class QTimer;

namespace rt {

using Handler = std::function<void()>;

class Control {
public:
    virtual ~Control() = default;
    const ControlDesign& design() const { return design_; }
    // The toolkit object behind the control (null for objects with no window).
    virtual QWidget* widget() const { return nullptr; }

protected:
    explicit Control(const ControlDesign& design) : design_(design) {}

private:
    ControlDesign design_;
};

class EditBox : public Control {
public:
    EditBox(const ControlDesign& design, QWidget* widget) : Control(design), widget_(widget) {}
    QWidget* widget() const override { return widget_; }
    Text text() const;
    void setText(const Text& text);
    // Moves the caret to the end, inserts there and keeps the caret in view.
    void append(const Text& text);
    // Caret to the start with nothing selected, showing the first line.
    void moveCaretToStart();
    // Caret to the end with nothing selected, showing the last lines.
    void moveCaretToEnd();

private:
    QWidget* widget_;
};

class Label : public Control {
public:
    Label(const ControlDesign& design, QWidget* widget) : Control(design), widget_(widget) {}
    QWidget* widget() const override { return widget_; }
    Text caption() const { return caption_; }
    // A caption ending in the first byte of a character shows the whole
    // characters only; the label still holds every byte it was given.
    void setCaption(const Text& caption);

private:
    QWidget* widget_;
    Text caption_;
};

class CheckBox : public Control {
public:
    CheckBox(const ControlDesign& design, QWidget* widget);
    QWidget* widget() const override { return widget_; }
    int checked() const;
    // Raises no click event.
    void setChecked(int state);
    // Raised after the box has toggled itself, by mouse or space bar.
    void onClick(Handler handler) { clicked_ = std::move(handler); }

private:
    QWidget* widget_;
    Handler clicked_;
};

class Button : public Control {
public:
    Button(const ControlDesign& design, QWidget* widget);
    QWidget* widget() const override { return widget_; }
    void onClick(Handler handler) { clicked_ = std::move(handler); }

private:
    QWidget* widget_;
    Handler clicked_;
};

class Timer : public Control {
public:
    explicit Timer(const ControlDesign& design);
    ~Timer() override;
    // Milliseconds; 0 or less stops the timer. Missed ticks are not made up.
    void setPeriod(int milliseconds);
    int period() const { return period_; }
    void onTick(Handler handler) { tick_ = std::move(handler); }

private:
    QTimer* timer_;
    int period_ = 0;
    Handler tick_;
};

// Controls with nothing of their own to offer the program (group boxes,
// pictures, links, tab controls) and objects whose services come with their
// own handles (dialogs, automation objects).
class PlainControl : public Control {
public:
    PlainControl(const ControlDesign& design, QWidget* widget) : Control(design), widget_(widget) {}
    QWidget* widget() const override { return widget_; }

private:
    QWidget* widget_;
};

// Shown when the pointer rests on the control, also while its window is
// inactive, on one line however long it is. All such tips share one tip window.
void addTooltip(const Control& control, const Text& text);

}  // namespace rt
