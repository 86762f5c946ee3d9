// SPDX-License-Identifier: GPL-3.0-or-later
// Why a file could not be written, in Chinese whatever the locale: the
// system's own wording follows LC_MESSAGES and is English on most machines.
#pragma once

#include "runtime/text.h"

namespace rt {

// The reason for an errno value; an unusual one is named by its number.
Text systemReason(int error);

// A link that someone else left in a shared sticky folder, which is never
// followed (the rule the kernel applies with fs.protected_symlinks).
Text plantedLinkReason();

// A name held by a device, a pipe or a socket rather than a file.
Text notAFileReason();

// A file that is no longer the one the program wrote a moment ago.
Text replacedFileReason();

}  // namespace rt
