#include "runtime/private_files.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace rt {
namespace {

Text systemReason(int error) { return Text::fromUtf8(std::strerror(error)); }

bool isPrivateDirectory(const std::string& path) {
    struct stat info {};
    return ::lstat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode) && info.st_uid == ::geteuid() &&
           (info.st_mode & 0077) == 0;
}

std::string runtimeDirectory() {
    const char* base = std::getenv("XDG_RUNTIME_DIR");
    if (base == nullptr || *base == '\0' || !isPrivateDirectory(base)) return {};
    const std::string dir = std::string(base) + "/qintara";
    if (::mkdir(dir.c_str(), 0700) != 0 && errno != EEXIST) return {};
    return isPrivateDirectory(dir) ? dir : std::string();
}

std::string temporaryDirectory() {
    // Made once and kept for the rest of the run.
    static const std::string dir = [] {
        const char* tmp = std::getenv("TMPDIR");
        std::string pattern = std::string(tmp != nullptr && *tmp != '\0' ? tmp : "/tmp") + "/qintara-XXXXXX";
        return ::mkdtemp(pattern.data()) != nullptr ? pattern : std::string();
    }();
    return dir;
}

}  // namespace

Text privateFilePath(std::string_view name) {
    std::string dir = runtimeDirectory();
    if (dir.empty()) dir = temporaryDirectory();
    if (dir.empty()) return {};
    return Text::fromUtf8(dir + "/" + std::string(name));
}

WriteResult writePrivateFile(const Text& path, std::string_view bytes) {
    if (path.empty()) return {false, Text::fromUtf8("没有文件名")};
    const std::string target = path.toUtf8();
    std::string temporary = target + ".XXXXXX";
    const int fd = ::mkstemp(temporary.data());
    if (fd < 0) return {false, systemReason(errno)};
    std::size_t written = 0;
    while (written < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.data() + written, bytes.size() - written);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) {
            const int error = n < 0 ? errno : ENOSPC;
            ::close(fd);
            ::unlink(temporary.c_str());
            return {false, systemReason(error)};
        }
        written += static_cast<std::size_t>(n);
    }
    int error = ::fsync(fd) != 0 ? errno : 0;
    if (::close(fd) != 0 && error == 0) error = errno;
    if (error != 0) {
        ::unlink(temporary.c_str());
        return {false, systemReason(error)};
    }
    // rename() replaces the directory entry itself, so a link planted at the
    // name is dropped rather than followed.
    if (::rename(temporary.c_str(), target.c_str()) != 0) {
        const int error = errno;
        ::unlink(temporary.c_str());
        return {false, systemReason(error)};
    }
    return {true, {}};
}

}  // namespace rt
