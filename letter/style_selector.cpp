// SPDX-License-Identifier: GPL-3.0-or-later
#include "letter/style_selector.h"

#include "letter/corpus.h"

namespace letter {

const rt::Text& styleGreeting(int box) {
    const Salutations& s = salutations();
    // 进取型, 稳重型, 激昂型, 保守型, 开放型, 低调型
    static const std::array<const rt::Text*, kStyleCount> greetings = {
        &s.respected, &s.beloved, &s.hello, &s.respected, &s.beloved, &s.reveredHello,
    };
    return *greetings.at(static_cast<std::size_t>(box - 1));
}

void StyleSelector::bind() {
    for (int box = 1; box <= kStyleCount; ++box) {
        boxes_[static_cast<std::size_t>(box - 1)]->onClick([this, box] { StyleBoxClicked(box); });
    }
}

void StyleSelector::StyleBoxClicked(int box) {
    if (boxes_[static_cast<std::size_t>(box - 1)]->checked() != 1) return;
    salutation_ = styleGreeting(box);
    for (int other = 1; other <= kStyleCount; ++other) {
        if (other != box) boxes_[static_cast<std::size_t>(other - 1)]->setChecked(0);
    }
}

}  // namespace letter
