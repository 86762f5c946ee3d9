// SPDX-License-Identifier: GPL-3.0-or-later
#include "output/save.h"

#include "runtime/application.h"
#include "runtime/files.h"

namespace output {
namespace {

struct Messages {
    const char* title;
    const char* noLetter;
    const char* noFile;
    const char* savedBefore;
    const char* savedAfter;
    const char* failedBefore;
    const char* failedReason;
    const char* failedAfter;
};

constexpr Messages kMessages = {
    .title = "提示：",
    .noLetter = " 没有生成入党申请书范文，无法保存！ ",
    .noFile = " 没有指定保存的文件及路径！ ",
    .savedBefore = " 成功保存为 ",
    .savedAfter = " WORD文件！ ",
    // A failed write is told too, with the system's reason, so that nobody
    // believes a letter saved that is not.
    .failedBefore = " 入党申请书没有保存！无法写入 ",
    .failedReason = " ：",
    .failedAfter = " ",
};

rt::Text text(const char* utf8) { return rt::Text::fromUtf8(utf8); }

}  // namespace

void Save(const rt::EditBox& letterBox, rt::SaveDialog& saveDialog) {
    const rt::Text title = text(kMessages.title);
    if (letterBox.text().empty()) {
        rt::messageBox(text(kMessages.noLetter), title);
        return;
    }
    if (!saveDialog.run() || saveDialog.fileName().empty()) {
        rt::messageBox(text(kMessages.noFile), title);
        return;
    }
    // Read again: the box is what the user sees at the moment of writing.
    const rt::Text letter = letterBox.text();
    const rt::Text path = saveDialog.fileName();
    const rt::WriteResult written = rt::writeFile(path, rt::toBytes(letter));
    if (!written.ok) {
        rt::messageBox(text(kMessages.failedBefore) + path + text(kMessages.failedReason) + written.reason +
                           text(kMessages.failedAfter),
                       title);
        return;
    }
    rt::messageBox(text(kMessages.savedBefore) + path + text(kMessages.savedAfter), title);
}

}  // namespace output
