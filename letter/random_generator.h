// SPDX-License-Identifier: GPL-3.0-or-later
// The letter's dice: a linear congruential generator (multiplier 214013,
// increment 2531011, modulo 2^32) whose results are bits 16 to 30 of the
// state. The same seed always gives the same letter.
#pragma once

#include <cstdint>

namespace letter {

class RandomGenerator {
public:
    void seed(std::uint32_t value) { state_ = value; }
    // 0..32767.
    int next() {
        state_ = state_ * 214013u + 2531011u;
        return static_cast<int>((state_ >> 16) & 32767u);
    }
    // 1..n, both bounds included.
    int draw(int n) { return 1 + next() % n; }

private:
    std::uint32_t state_ = 0;
};

}  // namespace letter
