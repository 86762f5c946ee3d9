// SPDX-License-Identifier: GPL-3.0-or-later
// Inside the run time only: when the toolkit cannot open a connection to any
// window system, one line saying what is missing, in place of the toolkit's
// own advice to reinstall and its abort.
#pragma once

#include <string>
#include <string_view>

namespace rt {

// From what the toolkit reported while it tried its platform plugins, and
// the environment that named the displays.
std::string displayFailure(std::string_view toolkitMessages);

}  // namespace rt
