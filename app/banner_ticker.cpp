// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/banner_ticker.h"

#include "app/globals.h"
#include "app/main_window.h"

namespace app {

void BannerTimerTick() {
    RevealCount += 1;
    rt::Text prefix = rt::left(BannerText, RevealCount);
    RevealedText.release();
    RevealedText = std::move(prefix);
    mainWindow()->bannerLabel.setCaption(RevealedText);
    const std::int64_t length = rt::length(BannerText);
    if (RevealCount > length + 1) RevealCount = 0;
}

}  // namespace app
