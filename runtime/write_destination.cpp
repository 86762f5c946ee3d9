// SPDX-License-Identifier: GPL-3.0-or-later
#include "runtime/write_destination.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace rt {
namespace {

// As many links as the kernel follows in one lookup.
constexpr int kMaxLinks = 40;

std::string at(const std::string& folder) { return folder.empty() ? "/" : folder; }

std::string parentOf(const std::string& folder) {
    const std::size_t slash = folder.rfind('/');
    return slash == std::string::npos ? std::string() : folder.substr(0, slash);
}

// Pushes the components of `path` so that the first comes off the back first.
void pushComponents(const std::string& path, std::vector<std::string>& pending) {
    std::vector<std::string> parts;
    std::size_t start = 0;
    while (start <= path.size()) {
        std::size_t end = path.find('/', start);
        if (end == std::string::npos) end = path.size();
        if (end > start) parts.push_back(path.substr(start, end - start));
        start = end + 1;
    }
    pending.insert(pending.end(), parts.rbegin(), parts.rend());
}

bool ruleRefuses(const struct stat& folder, const struct stat& link) {
    const bool shared = (folder.st_mode & S_ISVTX) != 0 && (folder.st_mode & S_IWOTH) != 0;
    return shared && link.st_uid != ::geteuid() && link.st_uid != folder.st_uid;
}

// The link's target, or the errno that stops reading it.
int readLink(const std::string& path, std::string& target) {
    std::string buffer(PATH_MAX, '\0');
    const ssize_t n = ::readlink(path.c_str(), buffer.data(), buffer.size());
    if (n < 0) return errno;
    if (static_cast<std::size_t>(n) >= buffer.size()) return ENAMETOOLONG;
    target.assign(buffer.data(), static_cast<std::size_t>(n));
    return 0;
}

WriteDestination failed(int error) { return {error, false, {}, {}}; }

}  // namespace

WriteDestination resolveWriteDestination(const std::string& path) {
    if (path.empty()) return failed(ENOENT);
    std::string folder;
    if (path.front() != '/') {
        char* cwd = ::getcwd(nullptr, 0);
        if (cwd == nullptr) return failed(errno);
        folder = cwd;
        std::free(cwd);
        if (folder == "/") folder.clear();
    }
    std::vector<std::string> pending;
    pushComponents(path, pending);
    int links = 0;
    while (!pending.empty()) {
        const std::string part = std::move(pending.back());
        pending.pop_back();
        if (part == ".") continue;
        if (part == "..") {
            folder = parentOf(folder);
            continue;
        }
        const bool last = pending.empty();
        const std::string candidate = folder + "/" + part;
        struct stat entry {};
        if (::lstat(candidate.c_str(), &entry) != 0) {
            if (errno == ENOENT && last) return {0, false, folder, part};
            return failed(errno);
        }
        if (S_ISLNK(entry.st_mode)) {
            struct stat holder {};
            if (::stat(at(folder).c_str(), &holder) != 0) return failed(errno);
            if (ruleRefuses(holder, entry)) return {0, true, {}, {}};
            std::string target;
            if (++links > kMaxLinks) return failed(ELOOP);
            if (const int error = readLink(candidate, target); error != 0) return failed(error);
            if (!target.empty() && target.front() == '/') folder.clear();
            pushComponents(target, pending);
            continue;
        }
        if (last) return S_ISDIR(entry.st_mode) ? failed(EISDIR) : WriteDestination{0, false, folder, part};
        if (!S_ISDIR(entry.st_mode)) return failed(ENOTDIR);
        folder = candidate;
    }
    // The path names a folder, not a file.
    return failed(EISDIR);
}

}  // namespace rt
