// Files only this user can reach: they live in $XDG_RUNTIME_DIR/qintara
// (mode 0700, ours, not a link) or, failing that, in a private temporary
// directory made once per run. A fixed path in a shared folder could be
// swapped for someone else's link; here a link found at the name is
// replaced, never written through.
#pragma once

#include <string_view>

#include "runtime/files.h"
#include "runtime/text.h"

namespace rt {

// The full path of `name` in the private directory, which is made when
// missing; empty when no private directory can be had.
Text privateFilePath(std::string_view name);

// Writes the bytes to a new file beside `path` and renames it over `path`:
// the old file, or a link standing there, is replaced whole or left alone.
WriteResult writePrivateFile(const Text& path, std::string_view bytes);

}  // namespace rt
