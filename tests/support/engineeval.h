// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Small helpers that drive the engine the way the plot command does.
#include <string>

#include "formula.h"

namespace kurvanto::testing {

struct Outcome {
    char status;
    double value;
};

// Stores 'n', evaluates the text at x, returns the status and the value.
inline Outcome Eval(const std::string &text, double x = 0) {
    SetFormulaText(text);
    FormulaStatus = 'n';
    double v = EvaluateFormula(x);
    return {FormulaStatus, v};
}

// Stores 'n', runs the checker, returns the status.
inline char Check(const std::string &text) {
    SetFormulaText(text);
    FormulaStatus = 'n';
    CheckFormula();
    return FormulaStatus;
}

} // namespace kurvanto::testing
