// SPDX-License-Identifier: GPL-3.0-or-later
// Writing a file whole: the old file, if any, is replaced at once by the new
// bytes or left exactly as it was. A link at the path, or on the way to it,
// is followed (its target is replaced, the link kept) unless it is a link
// someone else planted in a shared folder, which is refused.
#pragma once

#include <string_view>

#include "runtime/text.h"

namespace rt {

struct WriteResult {
    bool ok = false;
    Text reason;  // why not, in Chinese, when !ok
};

WriteResult writeFile(const Text& path, std::string_view bytes);

// Writes every byte to the descriptor; 0, or the errno that stopped it.
int writeAll(int fd, std::string_view bytes);

}  // namespace rt
