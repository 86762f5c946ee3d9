// SPDX-License-Identifier: GPL-3.0-or-later
#include "runtime/print_engine.h"

#include <QFile>
#include <QFileInfo>
#include <QPageLayout>
#include <QPageSize>
#include <QPlainTextEdit>
#include <QPrinter>
#include <QPrinterInfo>
#include <memory>
#include <vector>

#include "runtime/application.h"
#include "runtime/fonts.h"
#include "runtime/page_printer.h"
#include "runtime/qt_text.h"
#include "runtime/word_automation.h"

namespace rt {
namespace {

// A document's size until something sets another: 五号, the usual size of
// Chinese body text.
constexpr float kDefaultFontPoints = 10.5f;
// The word processor's default margins for A4: 2.54 cm top and bottom, 3.17 cm left and right.
const QMarginsF kMarginsMm(31.7, 25.4, 31.7, 25.4);

int numberOf(const std::vector<Variant>& args, std::size_t at, int fallback) {
    if (at >= args.size()) return fallback;
    const Variant& v = args[at];
    switch (v.type) {
        case VariantType::I2:
        case VariantType::I4:
        case VariantType::Bool:
            return v.integer;
        case VariantType::R4:
            return static_cast<int>(v.real);
        case VariantType::String:
            return QString::fromStdU16String(v.string).toInt();
        default:
            return fallback;
    }
}

QString stringOf(const std::vector<Variant>& args, std::size_t at) {
    if (at >= args.size() || args[at].type != VariantType::String) return {};
    return QString::fromStdU16String(args[at].string);
}

struct Document {
    QString path;
    QString text;
    float fontPoints = kDefaultFontPoints;
    std::unique_ptr<QPlainTextEdit> view;  // only while the application is visible
};

// What one started "word processor" knows; every object of it shares this.
struct EngineState {
    bool visible = false;
    bool quit = false;
    float fontPoints = kDefaultFontPoints;
    std::vector<std::shared_ptr<Document>> open;

    void show(Document& document) {
        if (!visible) {
            document.view.reset();
            return;
        }
        if (!document.view) {
            document.view = std::make_unique<QPlainTextEdit>();
            document.view->setReadOnly(true);
            document.view->resize(640, 800);
        }
        document.view->setWindowTitle(QFileInfo(document.path).fileName());
        QFont font = document.view->font();
        font.setPointSizeF(document.fontPoints);
        document.view->setFont(font);
        document.view->setPlainText(document.text);
        document.view->show();
    }
    void close(const std::shared_ptr<Document>& document) {
        document->view.reset();
        std::erase(open, document);
    }
};

InvokeResult raised() { return {}; }
InvokeResult done() { return {true, {}}; }

bool printDocument(const Document& document, const std::vector<Variant>& args) {
    // The document's name, as in the print job's title: its file's name
    // without the extension.
    const QString name = QFileInfo(document.path).completeBaseName();
    const bool toFile = numberOf(args, 10, 0) != 0 && !stringOf(args, 3).isEmpty();
    const QPrinterInfo destination = QPrinterInfo::defaultPrinter();
    // Without a default destination (no CUPS server, or none chosen) QPrinter
    // would quietly make a PDF nobody asked for.
    if (!toFile && destination.isNull()) {
        messageBox(noPrinterMessage(fromQString(name)), printEngineTitle());
        return false;
    }
    QPrinter printer(QPrinter::HighResolution);
    if (toFile) {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(stringOf(args, 3));
    } else {
        printer.setPrinterName(destination.printerName());
    }
    printer.setDocName(name);
    const int widthTwips = numberOf(args, 16, 11907), heightTwips = numberOf(args, 17, 16839);
    const QPageSize paper(QSizeF(widthTwips / 1440.0, heightTwips / 1440.0), QPageSize::Inch, QString(),
                          QPageSize::FuzzyMatch);
    printer.setPageLayout(QPageLayout(paper, QPageLayout::Portrait, kMarginsMm, QPageLayout::Millimeter));
    printer.setCopyCount(std::max(1, numberOf(args, 7, 1)));

    QFont font = documentFont();
    font.setPointSizeF(document.fontPoints);
    return printPlainText(document.text, font, printer, name);
}

class DocumentObject : public Dispatch {
public:
    DocumentObject(std::shared_ptr<EngineState> state, std::shared_ptr<Document> document)
        : state_(std::move(state)), document_(std::move(document)) {}

    InvokeResult invoke(int id, InvokeKind kind, std::vector<Variant>& args) override {
        if (state_->quit || !isOpen()) return raised();
        if (id == dispid::DocumentPrintOut && kind == InvokeKind::Method)
            return printDocument(*document_, args) ? done() : raised();
        if (id == dispid::DocumentClose && kind == InvokeKind::Method) {
            state_->close(document_);
            return done();
        }
        return raised();
    }

private:
    bool isOpen() const { return std::find(state_->open.begin(), state_->open.end(), document_) != state_->open.end(); }

    std::shared_ptr<EngineState> state_;
    std::shared_ptr<Document> document_;
};

class FontObject : public Dispatch {
public:
    explicit FontObject(std::shared_ptr<EngineState> state) : state_(std::move(state)) {}

    InvokeResult invoke(int id, InvokeKind kind, std::vector<Variant>& args) override {
        if (state_->quit || id != dispid::FontSize || kind != InvokeKind::PropertyPut || args.size() != 1) return raised();
        const float points = args[0].type == VariantType::R4 ? args[0].real : static_cast<float>(numberOf(args, 0, 0));
        if (points < 1 || points > 1638) return raised();
        // The selection of a document just opened covers nothing, so the
        // size is what the next document is set in; an open one follows it too.
        state_->fontPoints = points;
        for (const auto& document : state_->open) {
            document->fontPoints = points;
            state_->show(*document);
        }
        return done();
    }

private:
    std::shared_ptr<EngineState> state_;
};

class SelectionObject : public Dispatch {
public:
    explicit SelectionObject(std::shared_ptr<EngineState> state) : state_(std::move(state)) {}

    InvokeResult invoke(int id, InvokeKind kind, std::vector<Variant>&) override {
        if (state_->quit || id != dispid::SelectionFont || kind != InvokeKind::PropertyGet) return raised();
        return {true, Variant::dispatch(std::make_shared<FontObject>(state_))};
    }

private:
    std::shared_ptr<EngineState> state_;
};

class DocumentsObject : public Dispatch {
public:
    DocumentsObject(std::shared_ptr<EngineState> state, std::weak_ptr<Dispatch> application)
        : state_(std::move(state)), application_(std::move(application)) {}

    InvokeResult invoke(int id, InvokeKind kind, std::vector<Variant>& args) override {
        if (state_->quit) return raised();
        if (id == dispid::DocumentsParent && kind == InvokeKind::PropertyGet) {
            DispatchRef application = application_.lock();
            return application ? InvokeResult{true, Variant::dispatch(application)} : raised();
        }
        if (id == dispid::DocumentsAdd && kind == InvokeKind::Method) return opened(std::make_shared<Document>());
        if (id == dispid::DocumentsOpen && kind == InvokeKind::Method) {
            const QString path = stringOf(args, 0);
            QFile file(path);
            if (path.isEmpty() || !file.open(QIODevice::ReadOnly)) return raised();
            auto document = std::make_shared<Document>();
            document->path = QFileInfo(path).absoluteFilePath();
            document->text = toQString(Text::fromBytes(file.readAll().toStdString()));
            return opened(std::move(document));
        }
        return raised();
    }

private:
    InvokeResult opened(std::shared_ptr<Document> document) {
        document->fontPoints = state_->fontPoints;
        state_->open.push_back(document);
        state_->show(*document);
        return {true, Variant::dispatch(std::make_shared<DocumentObject>(state_, std::move(document)))};
    }

    std::shared_ptr<EngineState> state_;
    std::weak_ptr<Dispatch> application_;
};

class ApplicationObject : public Dispatch, public std::enable_shared_from_this<ApplicationObject> {
public:
    ApplicationObject() : state_(std::make_shared<EngineState>()) {}

    InvokeResult invoke(int id, InvokeKind kind, std::vector<Variant>& args) override {
        if (state_->quit) return raised();
        if (id == dispid::ApplicationDocuments && kind == InvokeKind::PropertyGet) {
            if (!documents_) documents_ = std::make_shared<DocumentsObject>(state_, weak_from_this());
            return {true, Variant::dispatch(documents_)};
        }
        if (id == dispid::ApplicationSelection && kind == InvokeKind::PropertyGet)
            return {true, Variant::dispatch(std::make_shared<SelectionObject>(state_))};
        if (id == dispid::ApplicationVisible && kind == InvokeKind::PropertyPut && args.size() == 1) {
            state_->visible = numberOf(args, 0, 0) != 0;
            for (const auto& document : state_->open) state_->show(*document);
            return done();
        }
        if (id == dispid::ApplicationQuit && kind == InvokeKind::Method) {
            // Quitting discards open documents unsaved, as asked with no
            // SaveChanges argument for plain text nobody edited.
            while (!state_->open.empty()) state_->close(state_->open.back());
            state_->quit = true;
            documents_.reset();
            return done();
        }
        return raised();
    }

    bool connectEvents() override { return !state_->quit; }

private:
    std::shared_ptr<EngineState> state_;
    DispatchRef documents_;
};

class DocumentPrintEngine : public AutomationServer {
public:
    DispatchRef createObject(const std::u16string& progId) override {
        if (progId != u"Word.Application") return nullptr;
        return std::make_shared<ApplicationObject>();
    }
};

std::shared_ptr<AutomationServer>& installedServer() {
    static std::shared_ptr<AutomationServer> server;
    return server;
}

}  // namespace

std::shared_ptr<AutomationServer> makeDocumentPrintEngine() { return std::make_shared<DocumentPrintEngine>(); }

Text noPrinterMessage(const Text& documentName) {
    return Text::fromUtf8("没有可用的打印机，无法打印“") + documentName +
           Text::fromUtf8("”。\r\n请先添加一台打印机并把它设为默认打印机，然后再打印。");
}

Text printEngineTitle() { return Text::fromUtf8("文档打印"); }

AutomationServer& automationServer() {
    if (!installedServer()) installedServer() = makeDocumentPrintEngine();
    return *installedServer();
}

void setAutomationServer(std::shared_ptr<AutomationServer> server) { installedServer() = std::move(server); }

}  // namespace rt
