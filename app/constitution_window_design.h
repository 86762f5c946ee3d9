// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "runtime/design.h"

namespace app {

// ConstitutionWindow as designed: its settings and every control, in the
// order of its control list.
const rt::WindowDesign& constitutionWindowDesign();

}  // namespace app
