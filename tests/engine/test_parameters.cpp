// SPDX-License-Identifier: GPL-3.0-or-later
// The parameters a, b, c, k, m: which texts they open and which they leave as they were.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <tuple>

#include "acceptance.h"
#include "compiled.h"
#include "engineeval.h"
#include "program.h"

namespace kurvanto {
namespace {

TEST(Parameters, RefusedTextsNameWhatTheyMeet) {
    const char *const cases[][2] = {
        {"k2", "1: сразу после параметра «k» не может стоять «2»: нужен знак операции"},
        {"a(x)", "1: между параметром «a» и «(» нужен знак операции"},
        {"x+2k", "3: между «2» и параметром «k» нужен знак операции"},
        {"kx", "1: неизвестная функция «kx»"},
        {"ab", "1: неизвестная функция «ab»"},
        {"kb*x", "1: неизвестная функция «kb»"},
    };
    for (const auto &c : cases) {
        const auto fault = FindFormulaFault(c[0]);
        ASSERT_TRUE(fault.has_value()) << c[0];
        EXPECT_EQ(std::to_string(fault->position) + ": " + fault->reason, c[1]);
    }
}

testing::Outcome RunWithout(const std::string &text) {
    char status = 'n';
    const double value = FormulaProgram(text).Evaluate(0.25, status);
    return {status, value};
}

// The value with the given parameters, and its status.
testing::Outcome RunWith(const std::string &text, const ParameterValues &values, double x) {
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
            const testing::Outcome got = RunWith(c.text, v, x), want = RunWith(c.same, v, x);
            EXPECT_EQ(got.status, want.status) << c.text << " at " << x;
            EXPECT_EQ(std::memcmp(&got.value, &want.value, sizeof got.value), 0) << c.text;
        }
    }
}

// Every text of a small alphabet that the program accepted before parameters existed keeps
// its acceptance and its value bit for bit; the reading without values stays the old one.
TEST(Parameters, TextsAcceptedBeforeKeepStatusAndValue) {
    const std::string alphabet = "kbax(s)i*2-n";
    const ParameterValues v = {{5, 7, 11, 13, 17}};
    int accepted = 0;
    for (long code = 1; code < 13L * 13 * 13 * 13 * 13; ++code) {
        std::string text; // code in base 13, a digit 0 ending the text
        for (long c = code; c % 13 != 0; c /= 13)
            text += alphabet[static_cast<std::size_t>(c % 13 - 1)];
        if (testing::Check(text) != 'n' || !CompileFormula(text)->faults.empty())
            continue;
        ++accepted;
        EXPECT_FALSE(FindFormulaFault(text).has_value()) << text;
        const testing::Outcome raw = RunWithout(text), read = RunWith(text, v, 0.25);
        EXPECT_EQ(raw.status, read.status) << text;
        EXPECT_EQ(std::memcmp(&raw.value, &read.value, sizeof raw.value), 0) << text;
    }
    EXPECT_GT(accepted, 300);
    EXPECT_EQ(testing::Check("k*x+b"), 'f'); // the buffer reads no parameters until told
}

TEST(Parameters, BufferReadsValuesWhenGiven) {
    testing::Outcome got[2];
    for (double k : {2.0, 4.0}) {
        const ParameterValues v = {{1, -1, 1, k, 1}};
        SetFormulaParameters(&v);
        EXPECT_EQ(testing::Check("k*x+b"), 'n');
        got[k > 2] = testing::Eval("k*x+b", 3);
    }
    SetFormulaParameters(nullptr);
    EXPECT_EQ(got[0].value, 5);
    EXPECT_EQ(got[1].value, 11);
    EXPECT_EQ(testing::Eval("k*x+b", 3).status, 'f');
}

TEST(Parameters, FoundInOrderOfFirstUse) {
    const auto uses = FindParameters("pik+k*x+B-abs(c)+K");
    ASSERT_EQ(uses.size(), 3u); // the k at 5: "pik" holds none
    EXPECT_EQ(std::make_tuple(uses[0].index, uses[0].position, uses[1].index, uses[2].index),
              std::make_tuple(3, 5, 1, 2));
}

} // namespace
} // namespace kurvanto
