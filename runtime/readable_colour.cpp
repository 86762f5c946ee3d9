// SPDX-License-Identifier: GPL-3.0-or-later
#include "runtime/readable_colour.h"

#include <algorithm>
#include <cmath>

namespace rt {
namespace {

double linear(double channel) {
    return channel <= 0.04045 ? channel / 12.92 : std::pow((channel + 0.055) / 1.055, 2.4);
}

double luminance(const QColor& c) {
    return 0.2126 * linear(c.redF()) + 0.7152 * linear(c.greenF()) + 0.0722 * linear(c.blueF());
}

constexpr double kWanted = 5.0;

}  // namespace

double contrastRatio(const QColor& a, const QColor& b) {
    const double la = luminance(a), lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

bool isDark(const QPalette& palette) {
    return luminance(palette.color(QPalette::Window)) < luminance(palette.color(QPalette::WindowText));
}

QColor readableOn(const QColor& designed, const QPalette& palette) {
    if (!isDark(palette)) return designed;
    const QColor window = palette.color(QPalette::Window);
    // Raising the HSL lightness keeps the hue and ends at white, which is
    // readable on any dark window.
    const QColor hsl = designed.toHsl();
    for (int lightness = hsl.lightness(); lightness <= 255; ++lightness) {
        const QColor lighter = QColor::fromHsl(hsl.hslHue(), hsl.hslSaturation(), lightness).toRgb();
        if (contrastRatio(lighter, window) >= kWanted) return lighter;
    }
    return Qt::white;
}

}  // namespace rt
