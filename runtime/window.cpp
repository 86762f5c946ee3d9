// SPDX-License-Identifier: GPL-3.0-or-later
#include "runtime/window.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QGroupBox>
#include <QGuiApplication>
#include <QIcon>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QScreen>
#include <functional>
#include <optional>
#include <vector>

#include "runtime/accessibility.h"
#include "runtime/document_box.h"
#include "runtime/embedded_icon.h"
#include "runtime/fonts.h"
#include "runtime/picture_box.h"
#include "runtime/qt_text.h"
#include "runtime/save_dialog.h"
#include "runtime/single_line.h"
#include "runtime/tab_control.h"
#include "runtime/widgets.h"
#include "runtime/window_widget.h"
#include "runtime/word_automation.h"

namespace rt {
namespace {

QString qs(std::string_view utf8) { return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size())); }

QColor colourOf(Rgb rgb) { return QColor(rgb.red, rgb.green, rgb.blue); }

std::optional<QColor> colourOf(const std::optional<Rgb>& rgb) {
    if (!rgb) return std::nullopt;
    return colourOf(*rgb);
}

// Edit boxes hide their selection while they do not have the focus.
void hideSelectionWhenInactive(QWidget* box) {
    QPalette palette = box->palette();
    palette.setColor(QPalette::Inactive, QPalette::Highlight, palette.color(QPalette::Inactive, QPalette::Base));
    palette.setColor(QPalette::Inactive, QPalette::HighlightedText, palette.color(QPalette::Inactive, QPalette::Text));
    box->setPalette(palette);
}

// A box wholly above or left of its parent can never be seen.
bool offscreen(const ControlDesign& d) { return d.top + d.height <= 0 || d.left + d.width <= 0; }

QWidget* makeEditBox(const ControlDesign& d, QWidget* parent) {
    if (!d.multiLine) {
        auto* box = new QLineEdit(parent);
        if (offscreen(d)) markOffscreen(box);
        box->setText(toQString(Text::fromUtf8(d.text)));
        box->setFrame(d.border);
        hideSelectionWhenInactive(box);
        box->setValidator(new FirstLineOnly(box));
        return box;
    }
    auto* box = new DocumentBox(parent);
    // Other boxes keep the window's face: setting it again would lay out
    // their whole text anew.
    if (d.spacedLayout) box->setFace(documentFont());
    box->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    box->setWordWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    box->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    box->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    // Tab moves the focus on, as in the other boxes; only Enter is the box's own.
    box->setTabChangesFocus(true);
    if (!d.border) box->setFrameStyle(QFrame::NoFrame);
    // Colours of its own only where the design gives them; the others
    // follow the desktop's palette, as the single-line boxes do.
    QPalette palette = box->palette();
    if (d.background) palette.setColor(QPalette::Base, colourOf(*d.background));
    if (d.colour) palette.setColor(QPalette::Text, colourOf(*d.colour));
    box->setPalette(palette);
    hideSelectionWhenInactive(box);
    box->setPlainText(toQString(Text::fromUtf8(d.text)));
    return box;
}

QWidget* makeWidget(const ControlDesign& d, QWidget* parent) {
    switch (d.type) {
        case ControlType::EditBox:
            return makeEditBox(d, parent);
        case ControlType::Label: {
            auto* label = new PaintedLabel(parent, colourOf(d.colour),
                                           d.align == Align::Centre ? Qt::AlignHCenter : Qt::AlignLeft, d.raised);
            label->setCaption(qs(d.text));
            return label;
        }
        case ControlType::CheckBox: {
            auto* box = new QCheckBox(qs(d.text), parent);
            box->setChecked(d.checked);
            return box;
        }
        case ControlType::GroupBox:
            return new QGroupBox(qs(d.text), parent);
        case ControlType::PicBox:
            return new PictureBox(parent, d.picture, d.picture2x);
        case ControlType::HyperLinker:
            return new LinkLabel(parent, qs(d.text), qs(d.link));
        case ControlType::SuperBtn: {
            auto* button = new FlatButton(parent, qs(d.text), d.focusRect);
            button->setToolTip(qs(d.tooltip));
            return button;
        }
        case ControlType::Tab:
            return new TabControl(parent, qs(d.pages[0]), qs(d.pages[1]));
        case ControlType::Timer:
        case ControlType::CommonDlg:
        case ControlType::WordApp:
        case ControlType::WordDocuments:
            return nullptr;
    }
    return nullptr;
}

std::unique_ptr<Control> makeControl(const ControlDesign& d, QWidget* widget) {
    switch (d.type) {
        case ControlType::EditBox:
            return std::make_unique<EditBox>(d, widget);
        case ControlType::Label:
            return std::make_unique<Label>(d, widget);
        case ControlType::CheckBox:
            return std::make_unique<CheckBox>(d, widget);
        case ControlType::SuperBtn:
            return std::make_unique<Button>(d, widget);
        case ControlType::Timer:
            return std::make_unique<Timer>(d);
        case ControlType::CommonDlg:
            return std::make_unique<SaveDialog>(d);
        case ControlType::WordApp:
            return std::make_unique<WordApp>(d);
        case ControlType::WordDocuments:
            return std::make_unique<WordDocuments>(d);
        default:
            return std::make_unique<PlainControl>(d, widget);
    }
}

}  // namespace

Window::Window(const WindowDesign& design) : design_(design), widget_(new WindowWidget(design)) {
    // Before the first change below that assistive tools could be told of.
    installAccessibility();
    widget_->setWindowTitle(qs(design.caption));
    // The designs are laid out for this font: set on the window itself, it
    // stays when a desktop theme changes the application's font later.
    widget_->setFont(interfaceFont());
    widget_->setFixedSize(design.clientWidth, design.clientHeight);
    if (!design.icons.empty()) widget_->setWindowIcon(embeddedIcon(design.icons, design.icons2x));

    // Containers come after their contents in the list, so the widgets are
    // made in two passes: every container first, then every control in its place.
    std::map<std::string, QWidget*, std::less<>> containers;
    std::vector<QWidget*> made(design.controls.size(), nullptr);
    const auto parentOf = [&](std::string_view name) -> QWidget* {
        if (name.empty()) return widget_;
        const auto slash = name.find('/');
        if (slash != std::string_view::npos) {
            auto* tabs = static_cast<TabControl*>(containers.at(std::string(name.substr(0, slash))));
            return tabs->page(std::stoi(std::string(name.substr(slash + 1))) - 1);
        }
        const auto found = containers.find(name);
        if (found == containers.end()) throw std::logic_error("no container " + std::string(name));
        return found->second;
    };
    const auto isContainer = [](ControlType type) {
        return type == ControlType::GroupBox || type == ControlType::PicBox || type == ControlType::Tab;
    };
    for (int pass = 0; pass < 2; ++pass) {
        for (std::size_t i = 0; i < design.controls.size(); ++i) {
            const ControlDesign& d = design.controls[i];
            if (made[i] != nullptr || (pass == 0 && !isContainer(d.type))) continue;
            if (pass == 0 && !d.parent.empty() && !containers.contains(d.parent.substr(0, d.parent.find('/')))) continue;
            QWidget* w = makeWidget(d, parentOf(d.parent));
            if (w == nullptr) continue;
            w->setObjectName(qs(d.name));
            w->setGeometry(d.left, d.top, d.width, d.height);
            w->setFocusPolicy(d.tabStop ? Qt::StrongFocus : Qt::NoFocus);
            if (!d.accessibleName.empty()) w->setAccessibleName(qs(d.accessibleName));
            made[i] = w;
            if (isContainer(d.type)) containers.emplace(std::string(d.name), w);
        }
    }
    // The first row lies on top: raise from the last row to the first.
    for (auto it = made.rbegin(); it != made.rend(); ++it) {
        if (*it != nullptr) (*it)->raise();
    }
    // Tab order: the list order, a container's contents taking its place.
    std::vector<QWidget*> order;
    std::function<void(std::string_view)> visit = [&](std::string_view parent) {
        for (std::size_t i = 0; i < design.controls.size(); ++i) {
            const ControlDesign& d = design.controls[i];
            const std::string_view base = d.parent.substr(0, d.parent.find('/'));
            if (base != parent || made[i] == nullptr) continue;
            if (d.tabStop) order.push_back(made[i]);
            if (isContainer(d.type)) visit(d.name);
        }
    };
    visit("");
    for (std::size_t i = 1; i < order.size(); ++i) QWidget::setTabOrder(order[i - 1], order[i]);

    for (std::size_t i = 0; i < design.controls.size(); ++i) {
        controls_.emplace(std::string(design.controls[i].name), makeControl(design.controls[i], made[i]));
    }
}

Window::~Window() { delete widget_; }

Control* Window::find(std::string_view name) const {
    const auto found = controls_.find(name);
    return found == controls_.end() ? nullptr : found->second.get();
}

void Window::centre() {
    if (QGuiApplication::platformName().startsWith(QLatin1String("wayland"))) return;
    const QScreen* screen = QGuiApplication::primaryScreen();
    const QRect area = screen != nullptr ? screen->geometry() : QRect(0, 0, 1024, 768);
    widget_->move(area.x() + (area.width() - design_.outerWidth) / 2, area.y() + (area.height() - design_.outerHeight) / 2);
}

}  // namespace rt
