// SPDX-License-Identifier: GPL-3.0-or-later
// Inside the run time only: the fixed colours of the designs, kept as they
// are on a light palette and lightened on a dark one so that text stays
// readable on the palette's window colour.
#pragma once

#include <QColor>
#include <QPalette>

namespace rt {

// Contrast of two colours as the accessibility guidelines measure it, from
// 1 (the same) to 21 (black on white).
double contrastRatio(const QColor& a, const QColor& b);

// A dark palette shows light text on a dark window.
bool isDark(const QPalette& palette);

// The designed colour on a light palette. On a dark one, the same hue made
// lighter until it stands out from the window colour at least 4.5 : 1 (with a
// little to spare for anti-aliased strokes).
QColor readableOn(const QColor& designed, const QPalette& palette);

}  // namespace rt
