// SPDX-License-Identifier: GPL-3.0-or-later
// The parameters a, b, c, k, m: which texts they open and which they leave as they were.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "acceptance.h"
#include "compiled.h"
#include "engine_test_util.h"
#include "formulatext.h"
#include "program.h"

namespace kurvanto {
namespace {

struct Refused {
    const char *text;
    int position;
    const char *reason;
};

TEST(Parameters, RefusedTextsNameWhatTheyMeet) {
    const Refused cases[] = {
        {"k2", 1, "сразу после параметра «k» не может стоять «2»: нужен знак операции"},
        {"a(x)", 1, "между параметром «a» и «(» нужен знак операции"},
        {"x+2k", 3, "между «2» и параметром «k» нужен знак операции"},
        {"kx", 1, "неизвестная функция «kx»"},
        {"ab", 1, "неизвестная функция «ab»"},
        {"kb*x", 1, "неизвестная функция «kb»"},
    };
    for (const Refused &c : cases) {
        const auto fault = FindFormulaFault(c.text);
        ASSERT_TRUE(fault.has_value()) << c.text;
        EXPECT_EQ(fault->position, c.position) << c.text;
        EXPECT_EQ(fault->reason, c.reason) << c.text;
    }
}

// The value with the given parameters, and its status.
test::Outcome RunWith(const std::string &text, const ParameterValues &values, double x) {
    char status = 'n';
    const double value = FormulaProgram(text, values).Evaluate(x, status);
    return {status, value};
}

TEST(Parameters, AcceptedTextsReadTheirValues) {
    ParameterValues v;
    v.value = {-3, 0.5, 3, 2, -1}; // a b c k m
    const struct {
        const char *text, *same;
    } cases[] = {
        {"k*x+b", "2*x+0,5"},
        {"-a*x^2", "-(-3)*x^2"},
        {"sin(k*x)", "sin(2*x)"},
        {"x^c", "x^3"},
        {"K*X-M", "2*X-(-1)"},
        {"abs(x)", "abs(x)"},
        {"cos(k)+ctg(x)", "cos(2)+ctg(x)"},
        {"csc(x)*sc(x)", "csc(x)*sc(x)"},
        {"frac(x)+arcsin(x/b)", "frac(x)+arcsin(x/0,5)"},
    };
    for (const auto &c : cases) {
        EXPECT_FALSE(FindFormulaFault(c.text).has_value()) << c.text;
        for (double x : {-0.75, 0.3, 1.5}) {
            const test::Outcome got = RunWith(c.text, v, x), want = RunWith(c.same, v, x);
            EXPECT_EQ(got.status, want.status) << c.text << " at " << x;
            EXPECT_EQ(std::memcmp(&got.value, &want.value, sizeof got.value), 0) << c.text;
        }
    }
}

TEST(Parameters, ValueReadsAsTheSameNumberInAFormula) {
    ParameterValues v;
    v.value[3] = *ParameterNumber("0,1");
    EXPECT_EQ(RunWith("k*x", v, 7).value, RunWith("0,1*x", v, 7).value);
    EXPECT_EQ(ParameterNumber("-2.5"), -2.5);
    EXPECT_FALSE(ParameterNumber("1,2,3") || ParameterNumber("x") || ParameterNumber(""));
}

// Every text of a small alphabet that the program accepted before parameters existed keeps
// its acceptance and its value bit for bit; the reading without values stays the old one.
TEST(Parameters, TextsAcceptedBeforeKeepStatusAndValue) {
    const std::string alphabet = "kbax(s)i*2-n";
    ParameterValues v;
    v.value = {5, 7, 11, 13, 17};
    int accepted = 0;
    for (int n = 1; n <= 5; ++n) {
        std::vector<std::size_t> digits(static_cast<std::size_t>(n), 0);
        for (;;) {
            std::string text;
            for (std::size_t d : digits)
                text += alphabet[d];
            const bool before = test::Check(text) == 'n' && CompileFormula(text)->faults.empty();
            if (before) {
                ++accepted;
                EXPECT_FALSE(FindFormulaFault(text).has_value()) << text;
                char s1 = 'n', s2 = 'n';
                const double raw = FormulaProgram(text).Evaluate(0.25, s1);
                const double read = FormulaProgram(text, v).Evaluate(0.25, s2);
                EXPECT_EQ(s1, s2) << text;
                EXPECT_EQ(std::memcmp(&raw, &read, sizeof raw), 0) << text;
            }
            std::size_t i = 0;
            while (i < digits.size() && ++digits[i] == alphabet.size())
                digits[i++] = 0;
            if (i == digits.size())
                break;
        }
    }
    EXPECT_GT(accepted, 300);
    EXPECT_EQ(test::Check("k*x+b"), 'f'); // the buffer reads no parameters until told
}

TEST(Parameters, BufferReadsValuesWhenGiven) {
    ParameterValues v;
    v.value[3] = 2;
    v.value[1] = -1;
    SetFormulaParameters(&v);
    EXPECT_EQ(test::Check("k*x+b"), 'n');
    const test::Outcome got = test::Eval("k*x+b", 3);
    v.value[3] = 4;
    SetFormulaParameters(&v);
    const test::Outcome changed = test::Eval("k*x+b", 3);
    SetFormulaParameters(nullptr);
    EXPECT_EQ(got.status, 'n');
    EXPECT_EQ(got.value, 5);
    EXPECT_EQ(changed.value, 11);
    EXPECT_EQ(test::Eval("k*x+b", 3).status, 'f');
}

TEST(Parameters, FoundInOrderOfFirstUse) {
    const auto uses = FindParameters("pik+k*x+B-abs(c)+K");
    ASSERT_EQ(uses.size(), 3u);
    EXPECT_EQ(uses[0].index, 3); // the k at 5: "pik" holds none
    EXPECT_EQ(uses[0].position, 5);
    EXPECT_EQ(uses[1].index, 1);
    EXPECT_EQ(uses[2].index, 2);
}

} // namespace
} // namespace kurvanto
