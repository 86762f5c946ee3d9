#include "runtime/chinese_font.h"

#include <QFontDatabase>
#include <QStringList>
#include <cstdio>

#include "runtime/application.h"

namespace rt {
namespace {

const char kLine[] = "qintara: no font for Chinese text is installed; install the package fonts-noto-cjk";
const char kTitle[] = "Qintara";
const char kMessage[] =
    "Qintara cannot show its windows: no font for Chinese text is installed.\n\n"
    "Install the package fonts-noto-cjk (for example: sudo apt install fonts-noto-cjk) and start Qintara again.";

}  // namespace

bool chineseFontInstalled() { return !QFontDatabase::families(QFontDatabase::SimplifiedChinese).isEmpty(); }

void reportMissingChineseFont() {
    std::fprintf(stderr, "%s\n", kLine);
    messageBox(Text::fromUtf8(kMessage), Text::fromUtf8(kTitle));
}

}  // namespace rt
