// SPDX-License-Identifier: GPL-3.0-or-later
// What the Generate button does: checks the name typed in NameBox, draws one
// entry from each pool with the tick-seeded generator, writes the finished
// letter into LetterBox and its length into CountLabel. It reads nothing
// else of the window (unit, position and age never appear in a letter) and
// keeps only the last opening pick between presses.
#pragma once

#include <cstdint>
#include <functional>

#include "letter/name_check.h"
#include "letter/random_generator.h"
#include "runtime/controls.h"
#include "runtime/text.h"

namespace letter {

struct Picks {
    int opening = 0, body = 0, resolve = 0, closing = 0;  // pools 1..4
};

// Seeds from four fresh tick readings (t1; 2*t2; t3/2 cut toward zero; t4+t5+2,
// each reading taken as a signed 32-bit number) and the repeat check: when the
// first opening draw equals `openingPickMemory` it is drawn once more and the
// memory becomes 0, else the memory becomes the draw.
Picks drawPicks(RandomGenerator& generator, std::int32_t& openingPickMemory,
                const std::function<std::uint32_t()>& readTick);

// The date as a letter shows it: the formatted date-time up to and including
// its first 日.
rt::Text letterDate(const rt::DateTime& now);

// The whole letter, byte for byte.
rt::Text composeLetter(const rt::Text& salutation, const Picks& picks, const rt::Text& name, const rt::Text& date);

// "生成：" + bytes/2 as "%.13g" + " 字".
rt::Text countCaption(std::int64_t letterBytes);

class LetterComposer {
public:
    LetterComposer(rt::EditBox& nameBox, rt::EditBox& forbiddenCharsBox, rt::EditBox& letterBox, rt::Label& countLabel,
                   const rt::Text& salutation, std::int32_t& openingPickMemory)
        : nameBox_(nameBox),
          forbiddenCharsBox_(forbiddenCharsBox),
          letterBox_(letterBox),
          countLabel_(countLabel),
          salutation_(salutation),
          openingPickMemory_(openingPickMemory) {}

    void Generate();

private:
    rt::EditBox& nameBox_;
    rt::EditBox& forbiddenCharsBox_;
    rt::EditBox& letterBox_;
    rt::Label& countLabel_;
    const rt::Text& salutation_;
    std::int32_t& openingPickMemory_;
    RandomGenerator generator_;
};

}  // namespace letter
