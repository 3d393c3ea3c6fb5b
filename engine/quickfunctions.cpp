// SPDX-License-Identifier: GPL-3.0-or-later
// The table's functions and the power in the quick pass. Each follows the engine's decisions
// (its domain checks, its zero divisors, its branches) where the bound makes them certain, and
// gives up where it does not. Beyond the roundings of quickterm.h, each bound holds what the
// argument's bound spreads to (the function's steepest slope over the enclosure) and what
// the engine's own way of computing the function adds.
#include <algorithm>
#include <cstring>
#include <vector>

#include "formula.h"
#include "quickterm.h"

namespace kurvanto {

namespace {

// The x87 sine and cosine reduce their argument with a 66-bit pi, which puts them off the
// true values by up to |v| x 2^-66 at any v of the argument's range (and their range ends at
// 2^63, where the engine takes 0); 2^-62 leaves room. The slope of both is at most 1.
constexpr double kTrigLimit = 0x1p63;
constexpr double kTrigReduction = 0x1p-62;

enum class Range : unsigned char { Inside, Beyond, Unknown };

Range TrigRange(const QuickTerm &a) {
    double lo, hi;
    Enclose(a, lo, hi);
    if (lo > -kTrigLimit && hi < kTrigLimit)
        return Range::Inside;
    if (lo >= kTrigLimit || hi <= -kTrigLimit)
        return Range::Beyond;
    return Range::Unknown;
}

double TrigSpread(const QuickTerm &a) {
    return a.e + (std::fabs(a.v) + a.e) * kTrigReduction;
}

bool QSin(QuickTerm &a, char &, TableFunction) {
    const Range range = TrigRange(a);
    if (range == Range::Beyond)
        a = {0, 0};
    else if (range == Range::Inside)
        a = {std::sin(a.v), Widen(std::sin(a.v), TrigSpread(a))};
    return range != Range::Unknown;
}

bool QCos(QuickTerm &a, char &, TableFunction) {
    const Range range = TrigRange(a);
    if (range == Range::Beyond)
        a = {0, 0};
    else if (range == Range::Inside)
        a = {std::cos(a.v), Widen(std::cos(a.v), TrigSpread(a))};
    return range != Range::Unknown;
}

// Both of them at a; false when the argument may straddle the end of the range.
bool SineCosine(const QuickTerm &a, QuickTerm &s, QuickTerm &c) {
    const Range range = TrigRange(a);
    if (range != Range::Inside) {
        s = c = {0, 0};
        return range == Range::Beyond;
    }
    double sv, cv;
#if defined(__GLIBC__)
    ::sincos(a.v, &sv, &cv);
#else
    sv = std::sin(a.v);
    cv = std::cos(a.v);
#endif
    const double spread = TrigSpread(a);
    s = {sv, Widen(sv, spread)};
    c = {cv, Widen(cv, spread)};
    return true;
}

constexpr QuickTerm kOne{1, 0};

bool QTg(QuickTerm &a, char &status, TableFunction) {
    QuickTerm s, c;
    return SineCosine(a, s, c) && Trapping(a, status, s, c);
}
bool QCtg(QuickTerm &a, char &status, TableFunction) {
    QuickTerm s, c;
    return SineCosine(a, s, c) && Trapping(a, status, c, s);
}
bool QSc(QuickTerm &a, char &status, TableFunction) {
    QuickTerm s, c;
    return SineCosine(a, s, c) && Trapping(a, status, kOne, c);
}
bool QCsc(QuickTerm &a, char &status, TableFunction) {
    QuickTerm s, c;
    return SineCosine(a, s, c) && Trapping(a, status, kOne, s);
}

// int and frac are exact in both passes; they can be told where the whole part is the same
// over the enclosure. (A zero's sign may then differ from the engine's; no status and no row
// depends on it: every comparison treats the two zeros alike.)
bool SameWholePart(const QuickTerm &a) {
    double lo, hi;
    Enclose(a, lo, hi);
    return std::trunc(lo) == std::trunc(hi);
}
bool QInt(QuickTerm &a, char &, TableFunction) {
    if (!SameWholePart(a))
        return false;
    a = {std::trunc(a.v), 0};
    return true;
}
bool QFrac(QuickTerm &a, char &, TableFunction) {
    if (!SameWholePart(a))
        return false;
    a.v -= std::trunc(a.v); // exact; the bound stays
    return true;
}

// The slope of the arctangent is at most 1. The engine's arccotangent subtracts from its own
// pi/2, the quick one from the double's: 2^-50 holds both constants' errors with the
// arctangent's unit in the last place (at most 2^-52 near pi/2).
bool QArctg(QuickTerm &a, char &, TableFunction) {
    const double r = std::atan(a.v);
    a = {r, Widen(r, a.e)};
    return true;
}
bool QArcctg(QuickTerm &a, char &, TableFunction) {
    const double r = M_PI_2 - std::atan(a.v);
    a = {r, Widen(r, a.e + 0x1p-50)};
    return true;
}

// The arcsine and arccosine: outside [-1, 1] the engine traps; at exactly 1 or -1 it takes its
// own pi/2, which the engine's function gives. Inside, the slope is 1 / sqrt(1 - m^2) at the
// enclosure's largest magnitude m; the engine's way through atan(v / sqrt(1 - v^2)) adds about
// 2^-65 of that slope (its 1 - v^2 is off by 2^-64 from the rounding of v^2), and its pi/2 for
// the arccosine 2^-50 as above.
bool ArcFunction(QuickTerm &a, char &status, TableFunction exact, double (*quick)(double)) {
    double lo, hi;
    Enclose(a, lo, hi);
    if (lo > 1 || hi < -1) {
        status = 'm';
        return true;
    }
    if (lo == hi && std::fabs(lo) == 1) {
        double r;
        exact(a.v, r);
        a = {r, 0};
        return true;
    }
    if (!(lo > -1 && hi < 1))
        return false;
    const double m = std::max(-lo, hi);
    const double rest = (1 - m) * (1 + m);
    if (!(rest > 0x1p-40))
        return false;
    const double slope = (1 + 0x1p-40) / std::sqrt(rest);
    const double r = quick(a.v);
    a = {r, Widen(r, a.e * slope + slope * 0x1p-60 + 0x1p-50)};
    return true;
}
bool QArcsin(QuickTerm &a, char &status, TableFunction exact) {
    return ArcFunction(a, status, exact, [](double v) { return std::asin(v); });
}
bool QArccos(QuickTerm &a, char &status, TableFunction exact) {
    return ArcFunction(a, status, exact, [](double v) { return std::acos(v); });
}

// sqrt(v) for v >= 0: |sqrt(v) - sqrt(w)| <= min(sqrt(|v - w|), |v - w| / (2 sqrt(lo))).
bool QSqrt(QuickTerm &a, char &status, TableFunction) {
    double lo, hi;
    Enclose(a, lo, hi);
    if (hi < 0) {
        status = 'm';
        return true;
    }
    if (!(lo >= 0))
        return false;
    const double r = std::sqrt(a.v);
    double spread = std::sqrt(a.e) * (1 + 0x1p-40);
    if (lo > 0)
        spread = std::min(spread, a.e / (2 * std::sqrt(lo)));
    a = {r, Widen(r, spread)};
    return true;
}

// The logarithms for v > 0; the slope is at most 1 / lo (1 / (lo ln 10) < 0.44 / lo).
bool Logarithm(QuickTerm &a, char &status, double (*quick)(double), double slope) {
    double lo, hi;
    Enclose(a, lo, hi);
    if (hi <= 0) {
        status = 'm';
        return true;
    }
    if (!(lo > 0))
        return false;
    const double r = quick(a.v);
    a = {r, Widen(r, a.e * slope / lo)};
    return Finite(r, a.e);
}
bool QLn(QuickTerm &a, char &status, TableFunction) {
    return Logarithm(
        a, status, [](double v) { return std::log(v); }, 1);
}
bool QLg(QuickTerm &a, char &status, TableFunction) {
    return Logarithm(
        a, status, [](double v) { return std::log10(v); }, 0.44);
}

bool QAbs(QuickTerm &a, char &, TableFunction) {
    a.v = std::fabs(a.v);
    return true;
}

struct NamedQuick {
    const char *name;
    QuickFunction function;
};

constexpr NamedQuick kQuick[] = {
    {"SIN", QSin},       {"COS", QCos},       {"INT", QInt},     {"FRAC", QFrac},
    {"TG", QTg},         {"CTG", QCtg},       {"ARCTG", QArctg}, {"ARCCTG", QArcctg},
    {"ARCSIN", QArcsin}, {"ARCCOS", QArccos}, {"SQRT", QSqrt},   {"SC", QSc},
    {"CSC", QCsc},       {"LN", QLn},         {"LG", QLg},       {"ABS", QAbs},
};

// A function the quick pass does not know: always left to the engine.
bool Unknown(QuickTerm &, char &, TableFunction) {
    return false;
}

} // namespace

const QuickFunction *QuickFunctions() {
    static const std::vector<QuickFunction> functions = [] {
        std::vector<QuickFunction> list;
        for (const std::string &name : FunctionNames()) {
            QuickFunction f = Unknown;
            for (const NamedQuick &q : kQuick)
                if (name == q.name)
                    f = q.function;
            list.push_back(f);
        }
        return list;
    }();
    return functions.data();
}

} // namespace kurvanto
