// SPDX-License-Identifier: GPL-3.0-or-later
// Conversions between UTF-8 and GB18030 through iconv. Neither direction
// drops anything: a malformed sequence becomes U+FFFD (UTF-8 side) or the
// GB18030 form of U+FFFD, so a typed name is never lost or shortened silently.
#pragma once

#include <string>
#include <string_view>

namespace rt {

std::string utf8ToGb18030(std::string_view utf8);
std::string gb18030ToUtf8(std::string_view gb18030);

// LF -> CR LF (an existing CR LF stays as it is) and back.
std::string toCrLf(std::string_view lf);
std::string toLf(std::string_view crlf);

}  // namespace rt
