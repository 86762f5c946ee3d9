// SPDX-License-Identifier: GPL-3.0-or-later
// Window designs as data: a window's settings and one row per control, in the
// order of the window's control list: earlier rows lie on top of later rows
// with the same parent, and the Tab key visits the tab stops in list order.
// Strings are UTF-8; the run time turns them into the program's text encoding.
#pragma once

#include <optional>
#include <span>
#include <string_view>

namespace rt {

enum class ControlType {
    EditBox,
    Label,
    CheckBox,
    GroupBox,
    PicBox,
    HyperLinker,
    SuperBtn,
    Tab,
    Timer,
    CommonDlg,
    WordApp,
    WordDocuments,
};

struct Rgb {
    int red = 0, green = 0, blue = 0;
    friend bool operator==(const Rgb&, const Rgb&) = default;
};

enum class Align { Left, Centre };

struct ControlDesign {
    std::string_view name;      // the name the code uses, e.g. "NameBox"
    std::string_view unitName;  // the designer's unit name, e.g. "编辑框1"
    ControlType type;
    // "" for the window itself, else the container's name; a tab page is
    // written "ConstitutionTabs/1".
    std::string_view parent = {};
    int left = 0, top = 0, width = 0, height = 0;
    bool tabStop = false;
    std::string_view text = {};     // caption or text at creation (UTF-8)
    std::string_view tooltip = {};  // SuperBtn only: its own rectangular tip
    // What assistive tools call the control when no caption of its own says
    // it: an edit box is named by the label a sighted user reads beside it.
    std::string_view accessibleName = {};
    // Edit boxes.
    bool multiLine = false;
    bool border = true;
    // A document whose lines are placed by runs of spaces (the letter) takes
    // the face with spaces half a Chinese character wide; every other box
    // the interface face, like the rest of the window.
    bool spacedLayout = false;
    // Labels and check boxes.
    Align align = Align::Left;
    bool raised = false;  // drawn once in white one pixel down-right, then in colour
    // Text colour and (edit boxes only) background. Left out, they are the
    // desktop palette's: black on the button face, or on white in an edit
    // box, under the default light palette.
    std::optional<Rgb> colour = {};
    std::optional<Rgb> background = {};
    // The caption changes many times a second (a ticker): assistive tools
    // read it when asked but are not told of every change.
    bool ticker = false;
    bool checked = false;
    bool focusRect = false;            // SuperBtn
    std::string_view picture = {};     // PicBox: encoded image bytes
    std::string_view picture2x = {};   // PicBox: the same picture at twice the size, for dense screens
    std::string_view link = {};        // HyperLinker: the address it opens
    std::string_view pages[2] = {};    // Tab: page captions (UTF-8)
};

struct WindowDesign {
    std::string_view name;
    std::string_view caption;  // UTF-8
    int outerWidth = 0, outerHeight = 0;    // as drawn with a frame; used for centring
    int clientWidth = 0, clientHeight = 0;  // the area the controls are placed in
    bool systemMenu = true;  // close box
    bool minimiseBox = true;
    bool escapeCloses = false;
    std::span<const std::string_view> icons = {};  // PNG bytes, one per size
    // The same images at twice their sizes, in the same order, for dense screens.
    std::span<const std::string_view> icons2x = {};
    std::span<const ControlDesign> controls = {};
};

}  // namespace rt
