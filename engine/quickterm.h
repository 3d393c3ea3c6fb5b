// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The values of the quick pass and the rules their bounds follow. A term is a double v with a
// bound e: the value the extended engine holds at the same step lies in [v - e, v + e].
//
// Every engine step rounds its extended result to double, so each step's difference has two
// parts: what the operands' bounds spread to through the exact operation (the "spread"), and
// the roundings. The quick step rounds once to double (half a unit in the last place of its
// result); the engine rounds to extended and then to double (at most a unit and a little), and
// the library's double functions miss by less than a unit. A unit in the last place is at most
// |r| x 2^-52 for a normal double and 2^-1074 below, so |r| x 2^-51 plus 2^-1070 holds all the
// roundings but those of the functions that are noted where they are used, and what the
// spread's own products may lose below the normal range. The factor 1 + 2^-40 on the spread
// covers the spread's roundings, and the engine's result being a little larger than the quick
// one.
#include <cmath>

#include "compiled.h"

namespace kurvanto {

// No default values: the pass's stack is not cleared for each sample.
struct QuickTerm {
    double v, e;
};

// A little below the largest double: a result whose bound stays under it cannot overflow in
// the engine either.
inline constexpr double kQuickBelowMax = 0x1.ffffffp1023;

inline double Widen(double r, double spread) {
    return spread * (1 + 0x1p-40) + (std::fabs(r) * 0x1p-51 + 0x1p-1070);
}

// True when no value within the bound rounds to an infinity (false for NaN as well).
inline bool Finite(double r, double e) {
    return std::fabs(r) + e < kQuickBelowMax;
}

// Doubles lo <= v - e and hi >= v + e, whatever the rounding of the two sums; exactly v when
// the term is exact.
inline void Enclose(const QuickTerm &a, double &lo, double &hi) {
    if (a.e == 0) {
        lo = hi = a.v;
        return;
    }
    const double w = a.e * (1 + 0x1p-50) + std::fabs(a.v) * 0x1p-51 + 0x1p-1074;
    lo = a.v - w;
    hi = a.v + w;
}

enum class QuickQuotient : unsigned char { Done, ZeroDivisor, Unknown };

// n / d as the engine divides: ZeroDivisor when d is certainly the engine's zero, Unknown
// when d may or may not be, or the quotient may overflow. With |d| > e_d,
// |n/d - n'/d'| <= (|n| e_d + |d| e_n) / (|d| (|d| - e_d)) = (|n/d| e_d + e_n) / (|d| - e_d),
// the last form free of overflow in its parts where the quotient is finite.
inline QuickQuotient Quotient(const QuickTerm &n, const QuickTerm &d, QuickTerm &out) {
    if (d.e == 0 && d.v == 0)
        return QuickQuotient::ZeroDivisor;
    const double m = std::fabs(d.v);
    const double gap = (m - d.e) * (1 - 0x1p-50);
    if (!(gap > 0))
        return QuickQuotient::Unknown;
    const double r = n.v / d.v;
    const double e = Widen(r, std::fabs(r) * (d.e / gap) + n.e / gap);
    if (!Finite(r, e))
        return QuickQuotient::Unknown;
    out = {r, e};
    return QuickQuotient::Done;
}

// n / d into a as the engine's traps have it: a zero divisor stores 'm' and leaves a (the
// dividend of the operator, the argument of a function); false when it cannot be told.
inline bool Trapping(QuickTerm &a, char &status, const QuickTerm &n, const QuickTerm &d) {
    QuickTerm q{0, 0};
    switch (Quotient(n, d, q)) {
    case QuickQuotient::Done:
        a = q;
        return true;
    case QuickQuotient::ZeroDivisor:
        status = 'm';
        return true;
    case QuickQuotient::Unknown:
        break;
    }
    return false;
}

// A function of the table in the quick pass: false when the engine's status or value cannot be
// told; a failure stores 'm' and leaves the argument, as the engine does. `exact` is the
// engine's own function, for an exact argument on an edge of the domain.
using QuickFunction = bool (*)(QuickTerm &a, char &status, TableFunction exact);

// The quick functions in the order of the table (FunctionIndex).
const QuickFunction *QuickFunctions();

} // namespace kurvanto
