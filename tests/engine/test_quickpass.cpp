// SPDX-License-Identifier: GPL-3.0-or-later
// The quick pass against the extended engine, value by value: wherever it decides a sample,
// the engine's status is its status and the engine's value lies within its bound. Random
// formulas (with parameters now and then) at x of several kinds: ordinary, whole and quarter
// numbers (int, frac and the domain edges), a hair beside a whole number, tiny, huge.
#include <gtest/gtest.h>

#include <cmath>
#include <random>

#include "errors.h"
#include "program.h"
#include "randomformula.h"

namespace kurvanto {
namespace {

double RandomX(std::mt19937 &rng, int kind) {
    std::uniform_real_distribution<double> u(-20, 20);
    const double v = u(rng);
    switch (kind) {
    case 0:
        return v;
    case 1:
        return std::round(v);
    case 2:
        return std::round(v * 4) / 4;
    case 3:
        return std::nextafter(std::round(v), v < 0 ? -1e9 : 1e9);
    case 4:
        return std::ldexp(v, static_cast<int>(rng() % 200) - 100);
    default:
        return std::ldexp(v, 40 + static_cast<int>(rng() % 30));
    }
}

// A decided sample's status and bound against the engine's.
void ExpectHeld(const FormulaProgram &program, double x) {
    char status = 'n';
    const double value = program.Evaluate(x, status);
    const QuickValue q = program.EvaluateQuick(x);
    if (!q.decided)
        return;
    EXPECT_EQ(q.status, status) << program.text() << " at " << x;
    if (status == 'n') {
        EXPECT_LE(std::fabs(value - q.value), q.error)
            << program.text() << " at " << x << ": " << value << " against " << q.value;
    }
}

// Places where a bound once failed or easily could: a quotient of a huge divisor, values at
// the domain edges and the end of the x87 sine's range, whole numbers under int and frac.
TEST(QuickPass, HardPlacesAreHeld) {
    const struct {
        const char *text;
        double x;
    } cases[] = {
        {"2/9^ctg(x+x)", 0.0022739646376004506},
        {"sin(x)", 3.141592653589793},
        {"cos(x)*1e20", 1.5707963267948966},
        {"sin(x)", 9.2233720368547758e18},
        {"tg(x)", 1.5707963267948966},
        {"arcsin(x)", 1},
        {"arccos(x)", -1},
        {"arccos(x/3)", 3},
        {"int(x*3)", 1},
        {"frac(x/0,1)", 0.3},
        {"x^(1/3)", -8},
        {"(x-2)^2,5", 2},
        {"1/(x-x)", 5},
        {"ln(x)-lg(x)", 1e-310},
        {"x*x*x*x*x*x", 1e60},
        {"sqrt(x)", 0},
    };
    for (const auto &c : cases)
        ExpectHeld(FormulaProgram(c.text), c.x);
}

// Over a range of x, at its ends and inside it.
TEST(QuickPass, DecidedRangesHoldTheEngineEverywhere) {
    std::mt19937 rng(8122026);
    for (int f = 0; f < 3000; ++f) {
        const FormulaProgram program(testing::RandomFormula(rng, 1 + static_cast<int>(rng() % 4)));
        const double low = RandomX(rng, static_cast<int>(rng() % 4));
        const double high = low + std::ldexp(1.0, -static_cast<int>(rng() % 20));
        std::uniform_real_distribution<double> inside(low, high);
        for (double x : {low, high, inside(rng), inside(rng), inside(rng)}) {
            const QuickValue q = program.EvaluateQuick(low, high);
            char status = 'n';
            double value = 0;
            try {
                value = program.Evaluate(x, status);
            } catch (const ConversionError &) {
                EXPECT_FALSE(q.decided);
                continue;
            }
            if (q.decided) {
                ASSERT_EQ(q.status, status) << program.text() << " at " << x;
                ASSERT_TRUE(status != 'n' || std::fabs(value - q.value) <= q.error)
                    << program.text() << " at " << x << " in [" << low << ", " << high << "]";
            }
        }
    }
}

TEST(QuickPass, DecidedSamplesAreTheEngines) {
    std::mt19937 rng(20261208);
    int decided = 0, total = 0;
    for (int f = 0; f < 3000; ++f) {
        std::string text = testing::RandomFormula(rng, 1 + static_cast<int>(rng() % 5));
        ParameterValues values;
        for (double &v : values.value)
            v = RandomX(rng, static_cast<int>(rng() % 6));
        const FormulaProgram program =
            f % 4 == 0 ? FormulaProgram(text, values) : FormulaProgram(text);
        for (int k = 0; k < 60; ++k) {
            const double x = RandomX(rng, k % 6);
            char status = 'n';
            double value = 0;
            try {
                value = program.Evaluate(x, status);
            } catch (const ConversionError &) {
                EXPECT_FALSE(program.EvaluateQuick(x).decided) << text;
                continue;
            }
            const QuickValue q = program.EvaluateQuick(x);
            ++total;
            if (!q.decided)
                continue;
            ++decided;
            ASSERT_EQ(q.status, status) << text << " at " << x;
            if (status == 'n') {
                ASSERT_LE(std::fabs(value - q.value), q.error)
                    << text << " at " << x << ": " << value << " against " << q.value;
            }
        }
    }
    EXPECT_GT(decided, total * 9 / 10); // random formulas mostly decide
}

} // namespace
} // namespace kurvanto
