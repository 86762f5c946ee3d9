// SPDX-License-Identifier: GPL-3.0-or-later
// The fixed data compiled into the program (see resources/CMakeLists.txt).
// Texts are GB18030 with CR LF; pictures and tunes are their files' bytes.
#pragma once

#include <span>
#include <string_view>

namespace res {

extern const std::span<const std::string_view> pool1;
extern const std::span<const std::string_view> pool2;
extern const std::span<const std::string_view> pool3;
extern const std::span<const std::string_view> pool4;

extern const std::string_view bannerText;
extern const std::string_view generalProgramText;
extern const std::string_view articlesText;

extern const std::string_view bannerJpeg;
extern const std::string_view icon16, icon24, icon32, icon48, icon128;
// The same pictures drawn at twice the size, for dense screens.
extern const std::string_view bannerJpegAt2x;
extern const std::string_view icon16At2x, icon24At2x, icon32At2x, icon48At2x, icon128At2x;

// Standard MIDI Files: The Internationale, then 东方红 (resources/tunes/make_tunes.py).
extern const std::string_view constitutionTune1;
extern const std::string_view constitutionTune2;

}  // namespace res
