// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The arithmetic the evaluator applies while it reads: the binary operators, the power
// operator and the function table. Each step is computed in long double (the extended
// precision) and rounded to double when stored. A trap (invalid operation, division by zero,
// overflow of the double range) is an explicit check after the step; it stores 'm' in the
// status handed in and the reading carries on with the substitute value of that step.
// Nothing here keeps state, so any number of threads may compute at once.
#include <cmath>
#include <string>

namespace kurvanto {

// An extended result rounded to double; the substitute and 'm' when that is not a finite
// double, which is an overflow (or an invalid operation) of the guarded step.
inline double Guarded(long double value, double substitute, char &status) {
    const double out = static_cast<double>(value);
    if (std::isfinite(out))
        return out;
    status = 'm';
    return substitute;
}

// The binary operators, inline: the compiled program's loop carries them out in place.
inline double Add(double v, double w, char &status) { // trap: 'm', 0
    return Guarded(static_cast<long double>(v) + w, 0.0, status);
}
inline double Subtract(double v, double w, char &status) { // trap: 'm', 0
    return Guarded(static_cast<long double>(v) - w, 0.0, status);
}
inline double Multiply(double v, double w, char &status) { // trap: 'm', 0
    return Guarded(static_cast<long double>(v) * w, 0.0, status);
}
inline double Divide(double v, double w, char &status) { // w == 0: 'm', v; other trap: 'm', 0
    if (w == 0) {
        status = 'm';
        return v;
    }
    return Guarded(static_cast<long double>(v) / w, 0.0, status);
}

// b raised to p; 'm' when it has no value (then the result is unspecified).
double RaisePower(double b, double p, char &status);

// Below this magnitude an exponent of a negative base gives 1.
inline constexpr long double kPowerZeroLimit = 1e-10L;

// The sign of b^p for a negative b and |p| at least kPowerZeroLimit: 1 for a whole even p, -1
// for a whole odd p or the reciprocal of an odd integer, 0 when the power has no value.
int NegativeBaseSign(double p, char &status);

// The closeness test of RaisePower, in the 6-byte real: |a| if n == 0, else |a / n - 1|.
// Returns false (a trap) when a value does not fit the 6-byte real.
bool RelativeDistance(double a, double n, double &distance);

// A function of the table: returns false when v is outside its domain (then 'm', and the
// reading carries on with v).
using TableFunction = bool (*)(double v, double &result);

// Looks a name up by exact comparison after folding it to upper case; nullptr if absent.
TableFunction FindFunction(const std::string &upperName);

// A function's place in the table, the order of FunctionNames; -1 for nullptr.
int FunctionIndex(TableFunction function);

} // namespace kurvanto
