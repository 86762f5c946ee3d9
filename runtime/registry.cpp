// SPDX-License-Identifier: GPL-3.0-or-later
#include "runtime/registry.h"

#include <map>
#include <string>
#include <utility>

namespace rt {
namespace {

using Values = std::map<std::pair<int, std::string>, bool>;

std::string normalise(std::string_view bytes) {
    // Keys compare without regard to ASCII case, as the registry does.
    std::string out(bytes);
    for (std::size_t i = 0; i < out.size(); i += characterLength(out, i)) {
        if (out[i] >= 'A' && out[i] <= 'Z') out[i] = static_cast<char>(out[i] - 'A' + 'a');
    }
    return out;
}

Values& values() {
    static Values known = {
        // The document-print engine is built into this program, so the word
        // processor's App Paths entry is always there.
        {{LocalMachine, normalise("SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Paths\\Winword.exe\\Path")}, true},
    };
    return known;
}

}  // namespace

bool registryValueExists(int root, const Text& keyAndValue) {
    const auto found = values().find({root, normalise(keyAndValue.bytes())});
    return found != values().end() && found->second;
}

void setRegistryValue(int root, std::string_view keyAndValueUtf8, bool present) {
    values()[{root, normalise(Text::fromUtf8(keyAndValueUtf8).bytes())}] = present;
}

}  // namespace rt
