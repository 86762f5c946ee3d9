// SPDX-License-Identifier: GPL-3.0-or-later
#include "runtime/qt_text.h"

#include "runtime/encoding.h"

namespace rt {

QString toQString(const Text& text) {
    const std::string utf8 = toLf(gb18030ToUtf8(text.bytes()));
    return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

Text fromQString(const QString& string) {
    // QPlainTextEdit hands paragraph separators back as U+2029.
    QString plain = string;
    plain.replace(QChar::ParagraphSeparator, QLatin1Char('\n'));
    const QByteArray utf8 = plain.toUtf8();
    return Text::fromBytes(utf8ToGb18030(toCrLf(std::string_view(utf8.constData(), static_cast<std::size_t>(utf8.size())))));
}

QString toQStringWholeCharacters(const Text& text) {
    const std::string& bytes = text.bytes();
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(bytes[i]); };
    std::size_t end = 0;
    while (end < bytes.size()) {
        std::size_t need = 1;
        if (byte(end) >= 0x81 && byte(end) != 0xFF) {
            need = 2;
            if (end + 1 < bytes.size() && byte(end + 1) >= 0x30 && byte(end + 1) <= 0x39) need = 4;
        }
        if (end + need > bytes.size()) break;
        end += need;
    }
    return toQString(Text::fromBytes(std::string_view(bytes).substr(0, end)));
}

}  // namespace rt
