// SPDX-License-Identifier: GPL-3.0-or-later
// The two word-processor objects of a window: WordApp stands for one running
// word processor, WordDocuments for its document collection and the document
// last opened in it. Each operation issues fixed automation calls (members by
// dispatch identifier, every argument a variant passed by reference, omitted
// ones as "parameter not found"). An operation whose reference is empty does
// nothing; an error raised by the server is dropped and leaves every reference
// as it was; nothing here shows a message.
#pragma once

#include "runtime/automation.h"
#include "runtime/controls.h"
#include "runtime/text.h"

namespace rt {

// Dispatch identifiers of the word processor's type library.
namespace dispid {
inline constexpr int ApplicationDocuments = 6;
inline constexpr int ApplicationSelection = 5;
inline constexpr int ApplicationVisible = 0x17;
inline constexpr int ApplicationQuit = 0x451;
inline constexpr int DocumentsAdd = 14;
inline constexpr int DocumentsOpen = 15;
inline constexpr int DocumentsParent = 0x3ea;
inline constexpr int SelectionFont = 5;
inline constexpr int FontSize = 0x8d;
inline constexpr int DocumentPrintOut = 0x1bc;
inline constexpr int DocumentClose = 0x451;
}  // namespace dispid

class WordApp : public Control {
public:
    explicit WordApp(const ControlDesign& design) : Control(design) {}

    // Drops the application held (without quitting it), starts a new one and
    // connects to its events. True when it started.
    bool create();
    void setVisible(int value);
    // Asks the application to quit; the reference stays held.
    void quit();

    const DispatchRef& application() const { return application_; }

private:
    DispatchRef application_;
};

// The sixteen values of a print-out, in the order they are given. The two
// arguments between `collate` and `zoomColumn` are always omitted.
struct PrintOutValues {
    int background = 0, append = 0, range = 0;
    Text outputFileName, from, to;
    int item = 0, copies = 0;
    Text pages;
    int pageType = 0, printToFile = 0, collate = 0;
    int zoomColumn = 0, zoomRow = 0, zoomPaperWidth = 0, zoomPaperHeight = 0;
};

class WordDocuments : public Control {
public:
    explicit WordDocuments(const ControlDesign& design) : Control(design) {}

    // Drops every reference and takes the documents collection of `app`'s
    // application; with newDocument, also adds a document and makes it current.
    bool bind(const WordApp& app, bool newDocument);
    // Fetches the selection and its font when not held, then sets the size.
    void setSelectionFontSize(double points);
    // Opens the file as the current document, then fetches the selection anew.
    bool open(const Text& fileName);
    void printOut(const PrintOutValues& values);
    void close();

private:
    bool fetchSelection();

    DispatchRef documents_, document_, selection_, font_;
};

}  // namespace rt
