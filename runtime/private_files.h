// SPDX-License-Identifier: GPL-3.0-or-later
// Files only this user can reach, made afresh for each use: each lives
// alone in a new folder (mode 0700) inside $XDG_RUNTIME_DIR/qintara (ours,
// 0700, not a link) or, failing that, in the temporary folder. Two runs, or
// two uses in one run, never share a file, and a name once written cannot be
// swapped by anyone else. Whatever is still there when the program ends is
// removed then.
#pragma once

#include <string_view>
#include <sys/types.h>

#include "runtime/text.h"

namespace rt {

struct PrivateFile {
    Text path;    // empty when the file could not be written
    Text reason;  // why not, in Chinese
    dev_t device = 0;
    ino_t inode = 0;
    off_t size = 0;
    bool ok() const { return !path.empty(); }
};

// Creates a new private file called `name` (UTF-8) holding the bytes.
PrivateFile writePrivateFile(std::string_view name, std::string_view bytes);

// Whether the path still names the very file written, unchanged in size.
bool isUnchanged(const PrivateFile& file);

// Removes the file and its folder.
void removePrivateFile(const PrivateFile& file);

// Removes every private file of this run that is still there.
void removePrivateFiles();

}  // namespace rt
