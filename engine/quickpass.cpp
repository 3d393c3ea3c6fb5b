// SPDX-License-Identifier: GPL-3.0-or-later
#include "quickpass.h"

namespace kurvanto {

QuickValue QuickEvaluate(const CompiledFormula &, double) {
    return {};
}

} // namespace kurvanto
