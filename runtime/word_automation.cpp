// SPDX-License-Identifier: GPL-3.0-or-later
#include "runtime/word_automation.h"

#include <exception>

#include "runtime/qt_text.h"

namespace rt {
namespace {

std::u16string automationString(const Text& text) { return toQString(text).toStdU16String(); }

// A server's failure, reported or thrown, is dropped here: the caller sees
// only that no result came back.
InvokeResult call(const DispatchRef& object, int id, InvokeKind kind, std::vector<Variant> args = {}) {
    try {
        return object->invoke(id, kind, args);
    } catch (const std::exception&) {
        return {};
    }
}

DispatchRef objectOf(const InvokeResult& result) {
    return result.ok && result.value.type == VariantType::Object ? result.value.object : nullptr;
}

std::vector<Variant> omitted(std::size_t count) { return std::vector<Variant>(count, Variant::omitted()); }

}  // namespace

bool WordApp::create() {
    application_.reset();
    try {
        application_ = automationServer().createObject(u"Word.Application");
        // Connected for the application's sake; the program handles none of its events.
        if (application_) application_->connectEvents();
    } catch (const std::exception&) {
    }
    return application_ != nullptr;
}

void WordApp::setVisible(int value) {
    if (!application_) return;
    call(application_, dispid::ApplicationVisible, InvokeKind::PropertyPut, {Variant::boolean(value != 0)});
}

void WordApp::quit() {
    if (!application_) return;
    call(application_, dispid::ApplicationQuit, InvokeKind::Method, omitted(3));
}

bool WordDocuments::bind(const WordApp& app, bool newDocument) {
    documents_.reset();
    document_.reset();
    selection_.reset();
    font_.reset();
    if (!app.application()) return false;
    documents_ = objectOf(call(app.application(), dispid::ApplicationDocuments, InvokeKind::PropertyGet));
    if (!documents_) return false;
    if (newDocument) {
        if (DispatchRef added = objectOf(call(documents_, dispid::DocumentsAdd, InvokeKind::Method, omitted(4))))
            document_ = std::move(added);
    }
    return true;
}

bool WordDocuments::fetchSelection() {
    const DispatchRef application = objectOf(call(documents_, dispid::DocumentsParent, InvokeKind::PropertyGet));
    if (!application) return false;
    DispatchRef selection = objectOf(call(application, dispid::ApplicationSelection, InvokeKind::PropertyGet));
    if (!selection) return false;
    selection_ = std::move(selection);
    return true;
}

void WordDocuments::setSelectionFontSize(double points) {
    if (!documents_) return;
    if (!selection_ && !fetchSelection()) return;
    if (!font_) font_ = objectOf(call(selection_, dispid::SelectionFont, InvokeKind::PropertyGet));
    if (!font_) return;
    call(font_, dispid::FontSize, InvokeKind::PropertyPut, {Variant::r4(static_cast<float>(points))});
}

bool WordDocuments::open(const Text& fileName) {
    if (!documents_) return false;
    std::vector<Variant> args = omitted(12);
    args[0] = Variant::str(automationString(fileName));
    DispatchRef opened = objectOf(call(documents_, dispid::DocumentsOpen, InvokeKind::Method, std::move(args)));
    if (!opened) return false;
    document_ = std::move(opened);
    fetchSelection();
    return true;
}

void WordDocuments::printOut(const PrintOutValues& v) {
    if (!document_) return;
    // Flags travel as 16-bit integers, counts and codes as 32-bit ones.
    const auto flag = [](int value) { return Variant::i2(static_cast<std::int16_t>(value)); };
    const auto number = [](int value) { return Variant::i4(value); };
    const auto string = [](const Text& value) { return Variant::str(automationString(value)); };
    call(document_, dispid::DocumentPrintOut, InvokeKind::Method,
         {flag(v.background), flag(v.append), number(v.range), string(v.outputFileName), string(v.from),
          string(v.to), number(v.item), number(v.copies), string(v.pages), number(v.pageType),
          flag(v.printToFile), flag(v.collate), Variant::omitted(), Variant::omitted(), number(v.zoomColumn),
          number(v.zoomRow), number(v.zoomPaperWidth), number(v.zoomPaperHeight)});
}

void WordDocuments::close() {
    if (!document_) return;
    call(document_, dispid::DocumentClose, InvokeKind::Method, omitted(3));
}

}  // namespace rt
