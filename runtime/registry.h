// SPDX-License-Identifier: GPL-3.0-or-later
// A read-only view of the few registry values the program asks about. On
// this platform the values are facts the run time knows (for instance that
// its document-print engine is there); tests can take a value away.
#pragma once

#include <string_view>

#include "runtime/text.h"

namespace rt {

enum RegistryRoot : int { ClassesRoot = 1, CurrentUser = 2, LocalMachine = 4 };

// The text is "key\\path\\ValueName", split at its last backslash that is a
// character of its own (not the second byte of a two-byte character).
bool registryValueExists(int root, const Text& keyAndValue);

// For tests: make a value present or absent.
void setRegistryValue(int root, std::string_view keyAndValueUtf8, bool present);

}  // namespace rt
