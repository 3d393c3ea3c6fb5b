// SPDX-License-Identifier: GPL-3.0-or-later
// The quick pass: the compiled formula's steps carried out in double, each value with its
// bound (quickterm.h). No step of it may be contracted or reassociated: the engine's file is
// compiled with -ffp-contract=off.
#include "quickpass.h"

#include <algorithm>
#include <limits>

#include "formula.h"
#include "quickterm.h"

namespace kurvanto {

namespace {

// e^(p ln b) for b > e_b into out, times sign. The engine takes e^(p' ln b') in extended
// precision at its own b' and p'; the exponents differ by at most
//   dy = |p| L + e_p (|ln b| + L),   L = e_b / (b - e_b) >= |ln b' - ln b|,
// so the powers by a factor within e^dy - 1 <= dy (1 + dy) for dy <= 1 (taken below 0,5).
// The engine's logarithm, product and exponential add under 2^-61 of an exponent at most 745 in
// magnitude for any finite nonzero result (2^-50 in all), and a result below the normal range a few
// units of 2^-1074 (2^-1070).
bool Magnitude(double b, double eb, const QuickTerm &p, double sign, QuickTerm &out) {
    // The square root and the square are the power itself, correctly rounded as pow is.
    const double r = p.v == 0.5 ? std::sqrt(b) : p.v == 2 ? b * b : std::pow(b, p.v);
    double dy = 0;
    if (eb > 0 || p.e > 0) {
        const double l = eb / ((b - eb) * (1 - 0x1p-50));
        dy = std::fabs(p.v) * l;
        if (p.e > 0)
            dy += p.e * (std::fabs(std::log(b)) * (1 + 0x1p-40) + l);
        dy *= 1 + 0x1p-40;
        if (!(dy < 0.5))
            return false;
    }
    const double e = Widen(r, std::fabs(r) * (dy * (1 + dy) + 0x1p-50) + 0x1p-1070);
    if (!Finite(r, e))
        return false;
    out = {sign * r, e};
    return true;
}

// A negative base: the branches depend on the exponent alone (the sign of a constant one is
// worked out once, ProgramStep::sign): 1 where |p| is below the zero limit, otherwise the
// sign the engine gives, which needs p exactly.
bool NegativeBase(QuickTerm &b, const QuickTerm &p, char &status, int sign) {
    if (sign == 2) {
        b = {1, 0};
        return true;
    }
    if (sign == 0) {
        status = 'm';
        b = {0, 0};
        return true;
    }
    return Magnitude(-b.v, b.e, p, sign, b);
}

// The sign a negative base raised to p gives, as ProgramStep::sign; -2 when p may lie on
// either side of a branch.
int ExponentSign(const QuickTerm &p, char &status) {
    double lo, hi;
    Enclose(p, lo, hi);
    const double most = std::max(std::fabs(lo), std::fabs(hi));
    const double least = lo > 0 || hi < 0 ? std::min(std::fabs(lo), std::fabs(hi)) : 0;
    if (most < kPowerZeroLimit)
        return 2;
    if (!(least >= kPowerZeroLimit) || p.e != 0)
        return -2;
    return NegativeBaseSign(p.v, status);
}

// A zero base: 1 for a zero exponent, 0 for a positive one, a failure for a negative one.
bool ZeroBase(QuickTerm &b, const QuickTerm &p, char &status) {
    double lo, hi;
    Enclose(p, lo, hi);
    if (lo == 0 && hi == 0)
        b = {1, 0};
    else if (lo > 0)
        b = {0, 0};
    else if (hi < 0)
        status = 'm', b = {0, 0};
    else
        return false;
    return true;
}

bool Sum(QuickTerm &a, double w, double ew) {
    const double r = a.v + w;
    const double e = Widen(r, a.e + ew);
    a = {r, e};
    return Finite(r, e);
}

bool Product(QuickTerm &a, const QuickTerm &b) {
    const double r = a.v * b.v;
    const double e = Widen(r, std::fabs(a.v) * b.e + std::fabs(b.v) * a.e + a.e * b.e);
    a = {r, e};
    return Finite(r, e);
}

// b ^ p into b; false when it cannot be told. `sign`: ProgramStep::sign of a constant p, or
// -2 to work it out.
bool QuickPower(QuickTerm &b, const QuickTerm &p, char &status, int sign = -2) {
    double lo, hi;
    Enclose(b, lo, hi);
    if (lo > 0)
        return Magnitude(b.v, b.e, p, 1, b);
    if (lo == 0 && hi == 0)
        return ZeroBase(b, p, status);
    if (!(hi < 0))
        return false;
    if (sign == -2)
        sign = ExponentSign(p, status);
    return sign != -2 && NegativeBase(b, p, status, sign);
}

bool Combine(char op, QuickTerm &a, const QuickTerm &b, char &status) {
    switch (op) {
    case '+':
        return Sum(a, b.v, b.e);
    case '-':
        return Sum(a, -b.v, b.e);
    case '*':
        return Product(a, b);
    case '/':
        return Trapping(a, status, a, b);
    default:
        return QuickPower(a, b, status);
    }
}

// After a certain failure ('m') nothing changes the status but a later 'f' or the conversion
// error: with neither left (from the step that could not be told on), the sample is told
// whatever the remaining steps give.
bool OnlyMLeft(const ProgramStep *from, const ProgramStep *end) {
    return std::none_of(from, end, [](const ProgramStep &s) {
        return s.op == Op::Fail || s.op == Op::BadNumber || (s.op == Op::Apply && !s.function);
    });
}

constexpr double kInfinity = std::numeric_limits<double>::infinity();

// The pass's machine: a stack of terms with its top held apart, and the status.
struct Machine {
    QuickTerm stack[2 * kFormulaBufferSize];
    QuickTerm top{0, 0};
    int below = 0;
    char status = 'n';

    void push(const QuickTerm &t) {
        stack[below++] = top;
        top = t;
    }
};

// One step of the program; false when it cannot be told (a malformed number never can).
inline bool Step(const ProgramStep &s, const QuickTerm &x, Machine &m,
                 const QuickFunction *functions) {
    switch (s.op) {
    case Op::Push:
        m.push({s.value, 0});
        return true;
    case Op::PushX:
        m.push(x);
        return true;
    case Op::Fail:
        m.status = 'f';
        return true;
    case Op::BadNumber:
        return false;
    case Op::Negate:
        m.top.v = -m.top.v;
        return true;
    case Op::Binary: {
        QuickTerm left = m.stack[--m.below];
        const bool told = Combine(s.binary, left, m.top, m.status);
        m.top = left;
        return told;
    }
    case Op::BinaryC:
        return s.binary == '^' ? QuickPower(m.top, {s.value, 0}, m.status, s.sign)
                               : Combine(s.binary, m.top, {s.value, 0}, m.status);
    case Op::BinaryX:
        return Combine(s.binary, m.top, x, m.status);
    case Op::Apply:
        if (s.index >= 0)
            return functions[s.index](m.top, m.status, s.function);
        m.status = 'f';
        return true;
    }
    return false;
}

// The pass with x anywhere within its bound.
QuickValue Run(const CompiledFormula &formula, const QuickTerm x) {
    if (!Finite(x.v, x.e))
        return {}; // nor is a NaN x: the engine's NaN lies within no bound
    Machine m;
    const QuickFunction *functions = QuickFunctions();
    const ProgramStep *const begin = formula.steps.data();
    const ProgramStep *const end = begin + formula.steps.size();
    for (const ProgramStep *s = begin; s != end; ++s) {
        if (!Step(*s, x, m, functions)) {
            if (m.status == 'm' && OnlyMLeft(s, end))
                return {true, 'm', 0, 0};
            return {};
        }
    }
    return {true, m.status, m.top.v, m.top.e};
}

} // namespace

QuickValue QuickEvaluate(const CompiledFormula &formula, double x) {
    return Run(formula, {x, 0});
}

QuickValue QuickEvaluate(const CompiledFormula &formula, double low, double high) {
    if (!(low <= high))
        return {};
    const double middle = low + (high - low) / 2;
    // One step up holds the half unit the roundings of the two distances may lose.
    const double radius = std::nextafter(std::max(middle - low, high - middle), kInfinity);
    return Run(formula, {middle, radius});
}

} // namespace kurvanto
