// SPDX-License-Identifier: GPL-3.0-or-later
// Where a write to a path lands once every link on the way has been
// followed, the way the kernel resolves it, except that a link the kernel's
// fs.protected_symlinks rule would refuse is refused here too, whatever the
// machine's setting: a link in a sticky world-writable folder (/tmp) is
// followed only when it belongs to the user or to the folder's owner.
// Otherwise another user could plant /tmp/letter.doc -> ~/notes.txt and
// have the letter written over the victim's file, or create the file a
// dangling link points at.
#pragma once

#include <string>

namespace rt {

struct WriteDestination {
    int error = 0;             // errno when the path cannot be resolved
    bool plantedLink = false;  // a link the rule refuses stands on the way
    std::string folder;        // the real folder, no links in it ("" for /)
    std::string name;          // the entry in it: a file, or nothing yet
    bool ok() const { return error == 0 && !plantedLink; }
};

WriteDestination resolveWriteDestination(const std::string& path);

}  // namespace rt
