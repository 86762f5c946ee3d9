// SPDX-License-Identifier: GPL-3.0-or-later
// The banner types itself into BannerLabel one byte per tick and starts over
// two ticks after the whole text has been shown (a cycle of length + 2 ticks).
#pragma once

namespace app {

void BannerTimerTick();

}  // namespace app
