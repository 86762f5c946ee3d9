// SPDX-License-Identifier: GPL-3.0-or-later
// The six style boxes act as one choice. A style only changes the greeting
// stored in Salutation, which the composer puts before the next letter's
// opening; clearing the checked box leaves the greeting as it was.
#pragma once

#include <array>

#include "runtime/controls.h"
#include "runtime/text.h"

namespace letter {

constexpr int kStyleCount = 6;

// The greeting of StyleBox1..6, in box order.
const rt::Text& styleGreeting(int box);

class StyleSelector {
public:
    StyleSelector(std::array<rt::CheckBox*, kStyleCount> boxes, rt::Text& salutation)
        : boxes_(boxes), salutation_(salutation) {}

    // Binds each box's click to StyleBoxClicked(its number).
    void bind();
    // After box n (1..6) toggled itself.
    void StyleBoxClicked(int box);

private:
    std::array<rt::CheckBox*, kStyleCount> boxes_;
    rt::Text& salutation_;
};

}  // namespace letter
