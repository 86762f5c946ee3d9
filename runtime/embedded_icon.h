// SPDX-License-Identifier: GPL-3.0-or-later
// Inside the run time only: an icon made of PNG images built into the
// program, one per size, decoded only when a size is first asked for (for a
// window icon, when the window is first shown). Its sizes come from the PNG
// headers. Copies at twice the size, if given, are drawn for their design's
// size on dense screens.
#pragma once

#include <QIcon>
#include <span>
#include <string_view>

namespace rt {

QIcon embeddedIcon(std::span<const std::string_view> pngs, std::span<const std::string_view> pngs2x = {});

}  // namespace rt
