#include "runtime/files.h"

#include <QSaveFile>

#include "runtime/qt_text.h"

namespace rt {

WriteResult writeFile(const Text& path, std::string_view bytes) {
    if (path.empty()) return {false, Text::fromUtf8("没有文件名")};
    QSaveFile file(toQString(path));
    // Without this a file that cannot be replaced atomically (a read-only
    // folder holding a writable file) would be written in place and could be
    // left half-written.
    file.setDirectWriteFallback(false);
    if (!file.open(QIODevice::WriteOnly)) return {false, fromQString(file.errorString())};
    if (file.write(bytes.data(), static_cast<qint64>(bytes.size())) != static_cast<qint64>(bytes.size())) {
        const Text reason = fromQString(file.errorString());
        file.cancelWriting();
        return {false, reason};
    }
    if (!file.commit()) return {false, fromQString(file.errorString())};
    return {true, {}};
}

}  // namespace rt
