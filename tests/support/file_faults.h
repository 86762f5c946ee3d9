// SPDX-License-Identifier: GPL-3.0-or-later
// Ways to make writing a file fail for real: a size limit on this process
// (EFBIG, which root meets too) and, for root, a small file system of the
// test's own that is full or read-only.
#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>
#include <csignal>
#include <string>
#include <sys/mount.h>
#include <sys/resource.h>
#include <unistd.h>

namespace testing_support {

// Fails the next writes of this process beyond `bytes`.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes) {
        previousHandler_ = std::signal(SIGXFSZ, SIG_IGN);
        getrlimit(RLIMIT_FSIZE, &previous_);
        rlimit limit = previous_;
        limit.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit() {
        setrlimit(RLIMIT_FSIZE, &previous_);
        std::signal(SIGXFSZ, previousHandler_);
    }
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

private:
    rlimit previous_{};
    void (*previousHandler_)(int) = nullptr;
};

// A 64 KiB tmpfs over `where` (mode 0700), unmounted again on destruction.
// mounted() is false where the test may not mount (not root).
class TinyFileSystem {
public:
    explicit TinyFileSystem(const QString& where) : where_(QFile::encodeName(where).toStdString()) {
        mounted_ = geteuid() == 0 && mount("tmpfs", where_.c_str(), "tmpfs", 0, "size=64k,mode=0700") == 0;
    }
    ~TinyFileSystem() {
        if (mounted_) umount(where_.c_str());
    }
    TinyFileSystem(const TinyFileSystem&) = delete;
    TinyFileSystem& operator=(const TinyFileSystem&) = delete;

    bool mounted() const { return mounted_; }
    bool makeReadOnly() { return mount("tmpfs", where_.c_str(), "tmpfs", MS_REMOUNT | MS_RDONLY, nullptr) == 0; }
    // Leaves no free block.
    void fill() const {
        QFile filler(QFile::decodeName(QByteArray::fromStdString(where_ + "/filler")));
        if (!filler.open(QIODevice::WriteOnly)) return;
        const QByteArray block(4096, 'x');
        while (filler.write(block) == block.size() && filler.flush()) {
        }
    }

private:
    std::string where_;
    bool mounted_ = false;
};

}  // namespace testing_support
