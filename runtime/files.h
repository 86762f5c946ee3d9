// Writing a file whole: the old file, if any, is replaced at once by the new
// bytes or left exactly as it was.
#pragma once

#include <string_view>

#include "runtime/text.h"

namespace rt {

struct WriteResult {
    bool ok = false;
    Text reason;  // the system's reason when !ok, in the program's encoding
};

WriteResult writeFile(const Text& path, std::string_view bytes);

}  // namespace rt
