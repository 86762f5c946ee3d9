// SPDX-License-Identifier: GPL-3.0-or-later
#include "runtime/fonts.h"

namespace rt {

QFont interfaceFont() {
    QFont font;
    font.setFamilies({QStringLiteral("Noto Sans CJK SC"), QStringLiteral("WenQuanYi Micro Hei"), QStringLiteral("sans-serif")});
    font.setPixelSize(12);
    return font;
}

QFont documentFont() {
    QFont font;
    font.setFamilies({QStringLiteral("Noto Sans Mono CJK SC"), QStringLiteral("WenQuanYi Zen Hei Mono"),
                      QStringLiteral("Noto Sans CJK SC"), QStringLiteral("monospace")});
    font.setPixelSize(12);
    return font;
}

}  // namespace rt
