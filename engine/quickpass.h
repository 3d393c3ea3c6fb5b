// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The quick pass: a compiled formula carried out in double arithmetic, each value with a bound
// on its distance from the value the extended engine (RunFormula) gives at the same x. Where
// every comparison the engine makes (a zero divisor, a domain edge, the overflow of the double
// range, a jump of int or frac, the branches of the power) comes out the same anywhere within
// the bounds, the quick pass knows the engine's status and where its value lies; elsewhere it
// leaves the sample to the engine.
#include "compiled.h"

namespace kurvanto {

struct QuickValue {
    bool decided = false; // false: only the extended engine can tell this sample
    char status = 'n';    // decided: the status the engine leaves ('n', 'm' or 'f')
    // Decided with status 'n': the engine's value lies in [value - error, value + error].
    double value = 0, error = 0;
};

// The quick pass at x; never throws (a malformed number is left undecided).
QuickValue QuickEvaluate(const CompiledFormula &formula, double x);

// The same over every x from low to high at once: decided, the engine's status is the same at
// each of them and its value lies within the bound at each. The bounds follow each function's
// steepest slope over its argument's range, so a short range of a smooth formula is decided
// in one evaluation.
QuickValue QuickEvaluate(const CompiledFormula &formula, double low, double high);

} // namespace kurvanto
