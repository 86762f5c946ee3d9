// SPDX-License-Identifier: GPL-3.0-or-later
#include "runtime/private_files.h"

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <dirent.h>
#include <fcntl.h>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

#include "runtime/failure_reasons.h"
#include "runtime/files.h"

namespace rt {
namespace {

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
    const char* tmp = std::getenv("TMPDIR");
    return tmp != nullptr && *tmp != '\0' ? tmp : "/tmp";
}

// The folders made by this run and not yet removed.
std::vector<std::string>& madeFolders() {
    static std::vector<std::string> folders;
    return folders;
}

// A new folder of our own (mkdtemp makes it 0700), or the errno.
int makeFolder(std::string& folder) {
    const std::string runtime = runtimeDirectory();
    folder = runtime.empty() ? temporaryDirectory() + "/qintara-XXXXXX" : runtime + "/print-XXXXXX";
    if (::mkdtemp(folder.data()) == nullptr) return errno;
    madeFolders().push_back(folder);
    return 0;
}

void removeFolder(const std::string& folder, const std::string& name) {
    ::unlink((folder + "/" + name).c_str());
    ::rmdir(folder.c_str());
    std::erase(madeFolders(), folder);
}

std::string folderOf(const std::string& path) { return path.substr(0, path.rfind('/')); }
std::string nameOf(const std::string& path) { return path.substr(path.rfind('/') + 1); }

PrivateFile failed(int error) {
    PrivateFile file;
    file.reason = systemReason(error);
    return file;
}

}  // namespace

PrivateFile writePrivateFile(std::string_view name, std::string_view bytes) {
    std::string folder;
    if (const int error = makeFolder(folder); error != 0) return failed(error);
    const std::string path = folder + "/" + std::string(name);
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
    int error = fd < 0 ? errno : writeAll(fd, bytes);
    struct stat written {};
    if (error == 0 && ::fsync(fd) != 0) error = errno;
    if (error == 0 && ::fstat(fd, &written) != 0) error = errno;
    if (fd >= 0 && ::close(fd) != 0 && error == 0) error = errno;
    if (error != 0) {
        removeFolder(folder, std::string(name));
        return failed(error);
    }
    PrivateFile file;
    file.path = Text::fromUtf8(path);
    file.device = written.st_dev;
    file.inode = written.st_ino;
    file.size = written.st_size;
    return file;
}

bool isUnchanged(const PrivateFile& file) {
    struct stat now {};
    return file.ok() && ::lstat(file.path.toUtf8().c_str(), &now) == 0 && S_ISREG(now.st_mode) &&
           now.st_dev == file.device && now.st_ino == file.inode && now.st_size == file.size;
}

void removePrivateFile(const PrivateFile& file) {
    if (!file.ok()) return;
    const std::string path = file.path.toUtf8();
    removeFolder(folderOf(path), nameOf(path));
}

void removePrivateFiles() {
    // Each folder holds the one file it was made for, whatever its name.
    for (const std::string& folder : std::vector<std::string>(madeFolders())) {
        if (DIR* dir = ::opendir(folder.c_str())) {
            while (const dirent* entry = ::readdir(dir)) {
                const std::string name = entry->d_name;
                if (name != "." && name != "..") ::unlinkat(::dirfd(dir), name.c_str(), 0);
            }
            ::closedir(dir);
        }
        ::rmdir(folder.c_str());
    }
    madeFolders().clear();
}

}  // namespace rt
