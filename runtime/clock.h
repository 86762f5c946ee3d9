// SPDX-License-Identifier: GPL-3.0-or-later
// Time as the program sees it: the tick count (milliseconds since the system
// started, 32 bits, wrapping) and the local date and time. Tests inject both.
#pragma once

#include <cstdint>
#include <functional>

#include "runtime/text.h"

namespace rt {

std::uint32_t tickCount();
DateTime currentDateTime();

struct ClockSource {
    std::function<std::uint32_t()> tickCount;
    std::function<DateTime()> now;
};
// An empty source (or empty member) restores the system clock.
void setClockSource(ClockSource source);

}  // namespace rt
