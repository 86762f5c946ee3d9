// SPDX-License-Identifier: GPL-3.0-or-later
#include "runtime/single_line.h"

#include <algorithm>

namespace rt {

FirstLineOnly::FirstLineOnly(QLineEdit* box) : QValidator(box), previous_(box->text()) {}

QValidator::State FirstLineOnly::validate(QString& input, int& pos) const {
    // The box calls this with the whole new text and the caret after what
    // was put in: what lies between the part the old text shares and the
    // caret is the insertion.
    const qsizetype end = std::clamp<qsizetype>(pos, 0, input.size());
    qsizetype start = 0;
    while (start < end && start < previous_.size() && input[start] == previous_[start]) ++start;
    for (qsizetype at = start; at < end; ++at) {
        if (input[at] == QLatin1Char('\n') || input[at] == QLatin1Char('\r')) {
            input.remove(at, end - at);
            pos = static_cast<int>(at);
            break;
        }
    }
    previous_ = input;
    return Acceptable;
}

}  // namespace rt
