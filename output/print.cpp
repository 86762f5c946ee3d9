#include "output/print.h"

#include <cstdio>

#include "runtime/application.h"
#include "runtime/private_files.h"
#include "runtime/registry.h"

namespace output {
namespace {

const char kWordInstalled[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Paths\\Winword.exe\\Path";
const char kPrintFileName[] = "a.txt";
constexpr double kFontPoints = 14;

struct Message {
    const char* text;
    const char* title;
};
constexpr Message kNotInstalled = {"  电 脑 没 有 安 装 WORD 办 公 软 件. ", "无 法 打 印："};
constexpr Message kNoLetter = {" 没有生成入党申请书范文，无法打印！ ", "提示："};

rt::PrintOutValues printOutValues() {
    // In the background, the whole document, one copy, A4 (11907 x 16839 twips).
    rt::PrintOutValues v;
    v.background = 1;
    v.append = 0;
    v.range = 0;
    v.outputFileName = rt::Text();
    v.from = rt::Text::fromUtf8("1");
    v.to = rt::Text::fromUtf8("1");
    v.item = 0;
    v.copies = 1;
    v.pages = rt::Text();
    v.pageType = 0;
    v.printToFile = 0;
    v.collate = 0;
    v.zoomColumn = 1;
    v.zoomRow = 1;
    v.zoomPaperWidth = 11907;
    v.zoomPaperHeight = 16839;
    return v;
}

void show(const Message& message) { rt::messageBox(rt::Text::fromUtf8(message.text), rt::Text::fromUtf8(message.title)); }

}  // namespace

rt::Text printFilePath() { return rt::privateFilePath(kPrintFileName); }

void Print(const rt::EditBox& letterBox, rt::WordApp& wordApp, rt::WordDocuments& wordDocuments) {
    if (!rt::registryValueExists(rt::LocalMachine, rt::Text::fromUtf8(kWordInstalled))) {
        show(kNotInstalled);
        return;
    }
    if (letterBox.text().empty()) {
        show(kNoLetter);
        return;
    }
    // From here on the user is told nothing more: what the word processor
    // makes of the requests is its own business. Only a letter that could not
    // be written stops the print, so that an older letter left in the file
    // is never printed in its place.
    const rt::Text path = printFilePath();
    const rt::WriteResult written = rt::writePrivateFile(path, rt::toBytes(letterBox.text()));
    if (!written.ok) {
        std::fprintf(stderr, "qintara: letter not printed: cannot write %s: %s\n", path.toUtf8().c_str(),
                     written.reason.toUtf8().c_str());
        return;
    }
    wordApp.create();
    wordDocuments.bind(wordApp, false);
    wordDocuments.setSelectionFontSize(kFontPoints);
    wordDocuments.open(path);
    wordApp.setVisible(0);
    wordDocuments.printOut(printOutValues());
    wordDocuments.close();
    wordApp.quit();
}

}  // namespace output
