// SPDX-License-Identifier: GPL-3.0-or-later
// The compiled program against the reference reading, which reads the text afresh and
// computes as it reads: the same bits, the same statuses, the same conversion error, over
// thousands of random texts at several x each. And two threads at once give what one gives.
#include <gtest/gtest.h>

#include <cstring>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include "errors.h"
#include "formula.h"
#include "program.h"
#include "randomformula.h"

namespace kurvanto {
namespace {

using testing::RandomFormula;
using testing::RandomPieces;

struct Outcome {
    char status;
    double value;
    bool threw;
    std::string message;
};

template <class Evaluate> Outcome Run(Evaluate evaluate, char before) {
    char status = before;
    try {
        const double v = evaluate(status);
        return {status, v, false, {}};
    } catch (const ConversionError &error) {
        return {status, 0, true, error.what()};
    }
}

// The reference: the formula buffer read afresh at every call.
Outcome Reference(double x, char before) {
    SetScanCacheEnabled(false);
    const Outcome o = Run(
        [x](char &status) {
            FormulaStatus = status;
            try {
                const double v = EvaluateFormula(x);
                status = FormulaStatus;
                return v;
            } catch (...) {
                status = FormulaStatus;
                throw;
            }
        },
        before);
    SetScanCacheEnabled(true);
    return o;
}

const double kXs[] = {0.0,  -0.0,  2.0,   -3.0,   0.5,    1.0,     -1.0,  3.14159,
                      1e20, -1e20, 1e300, -1e300, 1e-310, -1e-300, 9.3e18};

void ExpectSame(const std::string &text, std::size_t &compared) {
    SetFormulaText(text);
    const FormulaProgram program(text);
    ASSERT_EQ(program.text(), std::string(FormulaText)) << text;
    for (double x : kXs)
        for (char before : {'n', 'l'}) {
            const Outcome ref = Reference(x, before);
            const Outcome got = Run([&](char &s) { return program.Evaluate(x, s); }, before);
            ASSERT_EQ(got.threw, ref.threw) << text << " at " << x;
            ASSERT_EQ(got.message, ref.message) << text << " at " << x;
            ASSERT_EQ(got.status, ref.status) << text << " at " << x;
            if (!ref.threw) {
                ASSERT_EQ(std::memcmp(&got.value, &ref.value, sizeof got.value), 0)
                    << text << " at " << x << ": " << got.value << " vs " << ref.value;
            }
            ++compared;
        }
}

TEST(FormulaProgram, RandomPiecesMatchTheReference) {
    std::mt19937 rng(20261207);
    std::size_t compared = 0;
    for (int i = 0; i < 4000; ++i)
        ASSERT_NO_FATAL_FAILURE(ExpectSame(RandomPieces(rng), compared));
    EXPECT_EQ(compared, 4000u * std::size(kXs) * 2);
}

TEST(FormulaProgram, RandomFormulasMatchTheReference) {
    std::mt19937 rng(1015);
    std::size_t compared = 0, values = 0;
    for (int i = 0; i < 3000; ++i) {
        const std::string text = RandomFormula(rng, 4);
        ASSERT_NO_FATAL_FAILURE(ExpectSame(text, compared));
        char status = 'n';
        FormulaProgram(text).Evaluate(0.5, status);
        values += status == 'n';
    }
    EXPECT_GT(values, 1000u) << "too few formulas had a value to compare";
}

// The formula buffer's evaluator, compiled, against the same texts: it follows the text when
// it changes, and leaves the status alone when nothing fails.
TEST(FormulaProgram, BufferEvaluatorFollowsTheText) {
    const struct {
        const char *text;
        double x;
        char status;
        double value;
    } cases[] = {{"x+1", 1, 'l', 2},  {"x+2", 1, 'l', 3}, {"1/x", 0, 'm', 1},
                 {"sinx", 1, 'f', 1}, {"2 x", 5, 'l', 2}, {"x)+5", 5, 'l', 5}};
    for (const auto &c : cases) {
        SetFormulaText(c.text);
        FormulaStatus = 'l';
        const double v = EvaluateFormula(c.x);
        EXPECT_EQ(FormulaStatus, c.status) << c.text;
        if (c.status == 'l') {
            EXPECT_EQ(v, c.value) << c.text;
        }
    }
}

TEST(FormulaProgram, EmptyProgramIsTheEmptyText) {
    const FormulaProgram empty;
    char status = 'n';
    empty.Evaluate(1, status);
    EXPECT_EQ(status, 'f');
    EXPECT_EQ(empty.text(), "");
}

TEST(FormulaProgram, TextIsHeldLikeTheFormulaBox) {
    std::string long_text(79, '1');
    long_text += "\xd1\x85"
                 "99";
    const FormulaProgram program(long_text);
    EXPECT_EQ(program.text(), std::string(79, '1') + kNonAsciiChar);
    char status = 'n';
    EXPECT_THROW(FormulaProgram("7+2,,5").Evaluate(0, status), ConversionError);
}

// Two programs evaluated on two threads at once give exactly what one thread gives.
TEST(FormulaProgram, TwoThreadsAtOnce) {
    const FormulaProgram a("arcsin(x/10)*3+abs(x)^0,5-lg(abs(x)+1)+sin(x)*cos(x/2)-ln(abs(x)+2)");
    const FormulaProgram b("foo(x)+1/x+(-8)^(1/3)*x^2");
    constexpr int kSamples = 2000;
    auto sweep = [](const FormulaProgram &p, std::vector<double> &values, std::string &statuses) {
        for (int i = 0; i < kSamples; ++i) {
            char status = 'n';
            values[static_cast<std::size_t>(i)] = p.Evaluate(-10 + i * 0.01, status);
            statuses[static_cast<std::size_t>(i)] = status;
        }
    };
    std::vector<double> va1(kSamples), vb1(kSamples), va2(kSamples), vb2(kSamples), vc(kSamples);
    std::string sa1(kSamples, ' '), sb1(kSamples, ' '), sa2(kSamples, ' '), sb2(kSamples, ' '),
        sc(kSamples, ' ');
    sweep(a, va1, sa1);
    sweep(b, vb1, sb1);
    {
        std::thread t1([&] { sweep(a, va2, sa2); });
        std::thread t2([&] { sweep(b, vb2, sb2); });
        sweep(a, vc, sc); // the same program on a third thread as well
        t1.join();
        t2.join();
    }
    EXPECT_EQ(std::memcmp(va1.data(), va2.data(), sizeof(double) * kSamples), 0);
    EXPECT_EQ(std::memcmp(vb1.data(), vb2.data(), sizeof(double) * kSamples), 0);
    EXPECT_EQ(std::memcmp(va1.data(), vc.data(), sizeof(double) * kSamples), 0);
    EXPECT_EQ(sa1, sa2);
    EXPECT_EQ(sb1, sb2);
    EXPECT_EQ(sa1, sc);
    EXPECT_NE(sb1.find('m'), std::string::npos);
    EXPECT_NE(sb1.find('f'), std::string::npos);
}

} // namespace
} // namespace kurvanto
