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
    // QSaveFile::commit() ignores an error of its final flush (a full disk
    // can leave the file short yet "committed"), so flush and check here.
    if (file.write(bytes.data(), static_cast<qint64>(bytes.size())) != static_cast<qint64>(bytes.size()) ||
        !file.flush()) {
        const Text reason = fromQString(file.errorString());
        file.cancelWriting();
        return {false, reason};
    }
    if (!file.commit()) return {false, fromQString(file.errorString())};
    return {true, {}};
}

}  // namespace rt
