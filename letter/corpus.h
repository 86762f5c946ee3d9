// SPDX-License-Identifier: GPL-3.0-or-later
// The fixed texts every letter is made of: four pools of paragraphs, the
// salutations, the frame around the paragraphs and the composer's messages.
// All of it is compiled in and never changes while the program runs.
#pragma once

#include <array>
#include <cstdint>

#include "runtime/text.h"

namespace letter {

constexpr int kPoolCount = 4;

// Number of entries of pool k (1..4): 37, 30, 36, 25.
int poolSize(int pool);
// Entry n (1..poolSize(pool)) of pool k, leading line breaks included.
const rt::Text& entry(int pool, int n);

struct Salutations {
    rt::Text respected;     // 尊敬的党组织：
    rt::Text beloved;       // 敬爱的党组织：
    rt::Text hello;         // 党组织您好：
    rt::Text reveredHello;  // 崇敬的党组织您好：
};
const Salutations& salutations();

struct FrameTexts {
    rt::Text titleLine;
    rt::Text signatureLead;
    rt::Text dateLead;
    rt::Text dateMarker;
    rt::Text closingLine;
    rt::Text saluteLine;
    rt::Text countLead;
    rt::Text countTail;
    rt::Text lineEnd;
};
const FrameTexts& frame();

struct ComposerMessages {
    rt::Text nameMissing;
    rt::Text nameChars;
    rt::Text nameShort;
    rt::Text nameInvisible;
    rt::Text noticeTitle;
    rt::Text realNameTitle;
};
const ComposerMessages& composerMessages();

}  // namespace letter
