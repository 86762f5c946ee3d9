// SPDX-License-Identifier: GPL-3.0-or-later
#include "output/print.h"

#include "runtime/application.h"
#include "runtime/failure_reasons.h"
#include "runtime/private_files.h"
#include "runtime/registry.h"

namespace output {
namespace {

const char kWordInstalled[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Paths\\Winword.exe\\Path";
// The word processor names the document, and the print job, after its file.
const char kPrintFileName[] = "入党申请书.txt";
constexpr double kFontPoints = 14;

struct Message {
    const char* text;
    const char* title;
};
constexpr Message kNotInstalled = {"  电 脑 没 有 安 装 WORD 办 公 软 件. ", "无 法 打 印："};
constexpr Message kNoLetter = {" 没有生成入党申请书范文，无法打印！ ", "提示："};
// Followed by the reason and kNotPrintedAfter.
constexpr Message kNotPrinted = {" 入党申请书没有打印！无法写入打印用的临时文件：", "提示："};
constexpr char kNotPrintedAfter[] = " ";

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

void showNotPrinted(const rt::Text& reason) {
    rt::messageBox(rt::Text::fromUtf8(kNotPrinted.text) + reason + rt::Text::fromUtf8(kNotPrintedAfter),
                   rt::Text::fromUtf8(kNotPrinted.title));
}

}  // namespace

void Print(const rt::EditBox& letterBox, rt::WordApp& wordApp, rt::WordDocuments& wordDocuments) {
    if (!rt::registryValueExists(rt::LocalMachine, rt::Text::fromUtf8(kWordInstalled))) {
        show(kNotInstalled);
        return;
    }
    if (letterBox.text().empty()) {
        show(kNoLetter);
        return;
    }
    // Every print writes a file of its own, so that no other print, of this
    // run or another, can put its letter in this one's place.
    const rt::PrivateFile file = rt::writePrivateFile(kPrintFileName, rt::toBytes(letterBox.text()));
    if (!file.ok()) {
        showNotPrinted(file.reason);
        return;
    }
    // From here on what the word processor makes of the requests is its own
    // business. The document it opens must be the letter just written.
    wordApp.create();
    wordDocuments.bind(wordApp, false);
    wordDocuments.setSelectionFontSize(kFontPoints);
    const bool intact = rt::isUnchanged(file);
    if (intact) wordDocuments.open(file.path);
    wordApp.setVisible(0);
    wordDocuments.printOut(printOutValues());
    wordDocuments.close();
    wordApp.quit();
    // The job is with the print system now; the letter does not stay on disk.
    rt::removePrivateFile(file);
    if (!intact) showNotPrinted(rt::replacedFileReason());
}

}  // namespace output
