// SPDX-License-Identifier: GPL-3.0-or-later
#include "runtime/clock.h"

#include <ctime>

namespace rt {
namespace {

ClockSource& injected() {
    static ClockSource source;
    return source;
}

}  // namespace

std::uint32_t tickCount() {
    if (injected().tickCount) return injected().tickCount();
    timespec now{};
    clock_gettime(CLOCK_BOOTTIME, &now);
    const auto milliseconds = static_cast<std::uint64_t>(now.tv_sec) * 1000u + static_cast<std::uint64_t>(now.tv_nsec) / 1000000u;
    return static_cast<std::uint32_t>(milliseconds);
}

DateTime currentDateTime() {
    if (injected().now) return injected().now();
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return {local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, local.tm_hour, local.tm_min, local.tm_sec};
}

void setClockSource(ClockSource source) { injected() = std::move(source); }

}  // namespace rt
