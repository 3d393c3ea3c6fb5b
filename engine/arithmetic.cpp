// SPDX-License-Identifier: GPL-3.0-or-later
#include "arithmetic.h"

#include <cmath>
#include <iterator>

#include "formula.h"
#include "real48.h"
#include "rounding.h"

namespace kurvanto {

namespace {

using Ext = long double;

// pi/2 at extended precision; not half of the formula constant pi.
constexpr Ext kHalfPi = 1.5707963267948966192L;
constexpr Ext kPowerWholeLimit = 1e-8L;
// Beyond this magnitude sine and cosine are 0.
constexpr Ext kTrigLimit = 9223372036854775808.0L; // 2^63

void Fail(char &status) {
    status = 'm';
}

// Rounds an extended result to double; false when that is not a finite double, which is
// an overflow (or an invalid operation) of the guarded step.
bool Store(Ext value, double &out) {
    out = static_cast<double>(value);
    return std::isfinite(out);
}

// Sine and cosine at the processor's extended precision: on x86 the FPU's own instructions,
// whose range ends at 2^63; elsewhere the library's.
#if defined(__x86_64__) || defined(__i386__)
Ext ExtSin(Ext v) {
    Ext r;
    __asm__("fsin" : "=t"(r) : "0"(v));
    return r;
}
Ext ExtCos(Ext v) {
    Ext r;
    __asm__("fcos" : "=t"(r) : "0"(v));
    return r;
}
#else
Ext ExtSin(Ext v) {
    return std::sin(v);
}
Ext ExtCos(Ext v) {
    return std::cos(v);
}
#endif

Ext Sine(Ext v) {
    return std::fabs(v) >= kTrigLimit ? 0.0L : ExtSin(v);
}
Ext Cosine(Ext v) {
    return std::fabs(v) >= kTrigLimit ? 0.0L : ExtCos(v);
}

// A quotient whose divisor may be zero: the division traps then.
bool Quotient(Ext n, Ext d, double &result) {
    if (d == 0)
        return false;
    return Store(n / d, result);
}

bool FnSin(double v, double &r) {
    return Store(Sine(v), r);
}
bool FnCos(double v, double &r) {
    return Store(Cosine(v), r);
}
bool FnInt(double v, double &r) {
    return Store(std::trunc(static_cast<Ext>(v)), r);
}
bool FnFrac(double v, double &r) {
    return Store(v - std::trunc(static_cast<Ext>(v)), r);
}
bool FnTg(double v, double &r) {
    return Quotient(Sine(v), Cosine(v), r);
}
bool FnCtg(double v, double &r) {
    return Quotient(Cosine(v), Sine(v), r);
}
bool FnArctg(double v, double &r) {
    return Store(std::atan(static_cast<Ext>(v)), r);
}
bool FnArcctg(double v, double &r) {
    return Store(kHalfPi - std::atan(static_cast<Ext>(v)), r);
}
bool FnSc(double v, double &r) {
    return Quotient(1.0L, Cosine(v), r);
}
bool FnCsc(double v, double &r) {
    return Quotient(1.0L, Sine(v), r);
}
bool FnAbs(double v, double &r) {
    return Store(std::fabs(static_cast<Ext>(v)), r);
}

// The arcsine through the arctangent of v / sqrt(1 - v^2), at extended precision; the ends
// v = 1 and v = -1, where that quotient has no value, are the extended pi/2 with v's sign.
// False for |v| > 1.
bool Arcsine(double v, Ext &angle) {
    const Ext rest = 1.0L - static_cast<Ext>(v) * v;
    if (rest < 0)
        return false;
    angle =
        rest == 0 ? std::copysign(kHalfPi, static_cast<Ext>(v)) : std::atan(v / std::sqrt(rest));
    return true;
}

bool FnArcsin(double v, double &r) {
    Ext angle;
    return Arcsine(v, angle) && Store(angle, r);
}

bool FnArccos(double v, double &r) {
    Ext angle;
    return Arcsine(v, angle) && Store(kHalfPi - angle, r);
}

bool FnSqrt(double v, double &r) {
    if (v < 0)
        return false;
    return Store(std::sqrt(static_cast<Ext>(v)), r);
}

bool FnLn(double v, double &r) {
    if (v <= 0) // the logarithm of zero is a division by zero
        return false;
    return Store(std::log(static_cast<Ext>(v)), r);
}

bool FnLg(double v, double &r) {
    if (v <= 0)
        return false;
    return Store(std::log10(static_cast<Ext>(v)), r);
}

struct FunctionEntry {
    const char *name;
    TableFunction function;
};

constexpr FunctionEntry kFunctions[] = {
    {"SIN", FnSin},       {"COS", FnCos},       {"INT", FnInt},     {"FRAC", FnFrac},
    {"TG", FnTg},         {"CTG", FnCtg},       {"ARCTG", FnArctg}, {"ARCCTG", FnArcctg},
    {"ARCSIN", FnArcsin}, {"ARCCOS", FnArccos}, {"SQRT", FnSqrt},   {"SC", FnSc},
    {"CSC", FnCsc},       {"LN", FnLn},         {"LG", FnLg},       {"ABS", FnAbs},
};

// e^(p * ln|b|) at extended precision, rounded to double; false on overflow.
bool Magnitude(double b, double p, double &out) {
    return Store(std::exp(static_cast<Ext>(p) * std::log(std::fabs(static_cast<Ext>(b)))), out);
}

} // namespace

bool RelativeDistance(double a, double n, double &distance) {
    Real48 ra, rn, rd;
    if (!Real48::tryFrom(a, ra) || !Real48::tryFrom(n, rn))
        return false;
    Ext d = rn.value() == 0 ? std::fabs(static_cast<Ext>(ra.value()))
                            : std::fabs(static_cast<Ext>(ra.value()) / rn.value() - 1.0L);
    if (!Real48::tryFrom(d, rd))
        return false;
    distance = rd.value();
    return true;
}

int NegativeBaseSign(double p, char &status) {
    double distance = 0;
    const auto n = TryRound(p);
    if (!n || !RelativeDistance(p, *n, distance))
        return 0;
    if (distance < kPowerWholeLimit)
        return *n % 2 != 0 ? -1 : 1;
    // An odd root of a negative number: p is the reciprocal of an odd integer.
    const double q = Guarded(1.0L / p, 0.0, status);
    const auto m = TryRound(q);
    if (m && *m % 2 != 0 && RelativeDistance(q, *m, distance) && distance < kPowerWholeLimit)
        return -1;
    return 0;
}

double RaisePower(double b, double p, char &status) {
    double result = 0.0;
    bool ok = true;
    if (b == 0) {
        if (p == 0)
            return 1.0;
        if (p > 0)
            return 0.0;
        ok = false;
    } else if (b > 0) {
        ok = Magnitude(b, p, result);
    } else if (std::fabs(p) < kPowerZeroLimit) {
        return 1.0;
    } else {
        const int sign = NegativeBaseSign(p, status);
        ok = sign != 0 && Magnitude(b, p, result);
        if (sign < 0)
            result = -result;
    }
    if (!ok) {
        Fail(status);
        return 0.0;
    }
    return result;
}

TableFunction FindFunction(const std::string &upperName) {
    for (const auto &entry : kFunctions)
        if (upperName == entry.name)
            return entry.function;
    return nullptr;
}

int FunctionIndex(TableFunction function) {
    for (int i = 0; i < static_cast<int>(std::size(kFunctions)); ++i)
        if (kFunctions[i].function == function)
            return i;
    return -1;
}

const std::vector<std::string> &FunctionNames() {
    static const std::vector<std::string> names = [] {
        std::vector<std::string> list;
        for (const auto &entry : kFunctions)
            list.emplace_back(entry.name);
        return list;
    }();
    return names;
}

} // namespace kurvanto
