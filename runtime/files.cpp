// SPDX-License-Identifier: GPL-3.0-or-later
#include "runtime/files.h"

#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "runtime/failure_reasons.h"
#include "runtime/write_destination.h"

namespace rt {
namespace {

// The mode a newly created file gets from open(..., 0666).
mode_t newFileMode() {
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

// Writes a new file beside the target and renames it over the target's
// entry: the old file is replaced whole or left as it was, and rename()
// never writes through whatever stands at the name.
int replaceWhole(const WriteDestination& to, std::string_view bytes) {
    const std::string target = to.folder + "/" + to.name;
    std::string temporary = to.folder + "/.saving-XXXXXX";
    struct stat existing {};
    const bool exists = ::lstat(target.c_str(), &existing) == 0;
    const int fd = ::mkostemp(temporary.data(), O_CLOEXEC);
    if (fd < 0) return errno;
    int error = ::fchmod(fd, exists ? existing.st_mode & 07777 : newFileMode()) != 0 ? errno : 0;
    if (error == 0) error = writeAll(fd, bytes);
    if (error == 0 && ::fsync(fd) != 0) error = errno;
    if (::close(fd) != 0 && error == 0) error = errno;
    if (error == 0 && ::rename(temporary.c_str(), target.c_str()) != 0) error = errno;
    if (error != 0) ::unlink(temporary.c_str());
    return error;
}

}  // namespace

WriteResult writeFile(const Text& path, std::string_view bytes) {
    if (path.empty()) return {false, Text::fromUtf8("没有文件名")};
    const WriteDestination to = resolveWriteDestination(path.toUtf8());
    if (to.plantedLink) return {false, plantedLinkReason()};
    if (to.error != 0) return {false, systemReason(to.error)};
    // A device, pipe or socket at the name is never replaced by a file.
    struct stat existing {};
    if (::lstat((to.folder + "/" + to.name).c_str(), &existing) == 0 && !S_ISREG(existing.st_mode))
        return {false, notAFileReason()};
    if (const int error = replaceWhole(to, bytes); error != 0) return {false, systemReason(error)};
    return {true, {}};
}

int writeAll(int fd, std::string_view bytes) {
    std::size_t written = 0;
    while (written < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.data() + written, bytes.size() - written);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return n < 0 ? errno : ENOSPC;
        written += static_cast<std::size_t>(n);
    }
    return 0;
}

}  // namespace rt
