// SPDX-License-Identifier: GPL-3.0-or-later
#include "runtime/display_failure.h"

#include <algorithm>
#include <cstdlib>
#include <regex>
#include <vector>

namespace rt {
namespace {

std::string variable(const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr ? value : "";
}

std::string reasonFor(const std::string& plugin, bool installed) {
    if (plugin == "xcb") {
        const std::string display = variable("DISPLAY");
        if (display.empty()) {
            return variable("WAYLAND_DISPLAY").empty() ? "DISPLAY is not set and no Wayland compositor is running"
                                                       : "DISPLAY is not set";
        }
        return "cannot connect to the X display \"" + display + "\" (DISPLAY)";
    }
    if (plugin == "wayland" || plugin == "wayland-egl") {
        if (!installed) return "the Qt Wayland plugin is not installed (package qt6-wayland)";
        const std::string socket = variable("WAYLAND_DISPLAY");
        if (socket.empty()) return "no Wayland compositor is running (WAYLAND_DISPLAY is not set)";
        return "cannot connect to the Wayland compositor \"" + socket + "\" (WAYLAND_DISPLAY)";
    }
    if (!installed) return "the Qt platform plugin \"" + plugin + "\" is not installed";
    return "the Qt platform plugin \"" + plugin + "\" could not start";
}

}  // namespace

std::string displayFailure(std::string_view toolkitMessages) {
    // Qt names each plugin it tried: "Could not load the Qt platform plugin
    // "xcb" in "" even though it was found." or "Could not find ...".
    static const std::regex tried(R"re(Could not (load|find) the Qt platform plugin "([^"]*)")re");
    std::vector<std::string> reasons;
    const std::string messages(toolkitMessages);
    for (auto it = std::sregex_iterator(messages.begin(), messages.end(), tried); it != std::sregex_iterator(); ++it) {
        const std::string reason = reasonFor((*it)[2].str(), (*it)[1].str() == "load");
        if (std::find(reasons.begin(), reasons.end(), reason) == reasons.end()) reasons.push_back(reason);
    }
    if (reasons.empty()) reasons.push_back(reasonFor("xcb", true));
    std::string line = "qintara: cannot open a window: ";
    for (std::size_t i = 0; i < reasons.size(); ++i) line += (i == 0 ? "" : "; ") + reasons[i];
    return line;
}

}  // namespace rt
