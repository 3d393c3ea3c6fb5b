// SPDX-License-Identifier: GPL-3.0-or-later
// Operators, powers and the function table: values, domains and their failures.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

#include "arithmetic.h"
#include "engineeval.h"

using kurvanto::testing::Eval;

namespace {

constexpr double kNoValue = NAN; // the value is not checked

struct Case {
    const char *text;
    double x;
    char status;
    double expected; // NaN: not checked
    const char *why;
};

void RunCases(const Case *begin, const Case *end, bool bitExact) {
    for (auto c = begin; c != end; ++c) {
        auto r = Eval(c->text, c->x);
        EXPECT_EQ(r.status, c->status) << "'" << c->text << "' at " << c->x << ": " << c->why;
        if (std::isnan(c->expected) || r.status != 'n')
            continue;
        if (bitExact)
            EXPECT_EQ(r.value, c->expected) << "'" << c->text << "' at " << c->x;
        else
            EXPECT_DOUBLE_EQ(r.value, c->expected) << "'" << c->text << "' at " << c->x;
    }
}

const Case kOperators[] = {
    {"1/0", 0, 'm', kNoValue, "division by zero"},
    {"0/0", 0, 'm', kNoValue, ""},
    {"x/x", 0, 'm', kNoValue, ""},
    {"1/x", 0, 'm', kNoValue, ""},
    {"1/x", 4, 'n', 0.25, ""},
    {"1/x", -1e-300, 'n', -1e300, ""},
    {"1e308", 0, 'n', 1.0, "no exponent notation: the reading stops at e"},
    {"x*x", 1e200, 'm', kNoValue, "overflow of the double range"},
    {"x+x", 1e308, 'm', kNoValue, "overflow of a sum"},
    {"0-x-x", 1e308, 'm', kNoValue, "overflow of a difference"},
    {"x/0,5", 1e308, 'm', kNoValue, "overflow of a quotient"},
    {"x*x", 1e-200, 'n', 0.0, "underflow does not trap"},
};

const Case kPowers[] = {
    {"10^400", 0, 'm', kNoValue, "overflow"},
    {"0,1^400", 0, 'n', 0.0, "underflow does not trap"},
    {"0^0", 0, 'n', 1.0, ""},
    {"0^2", 0, 'n', 0.0, ""},
    {"0^-1", 0, 'm', kNoValue, ""},
    {"2^0,5", 0, 'n', std::sqrt(2.0), ""},
    {"(-8)^(1/3)", 0, 'n', -2.0, "odd root of a negative number"},
    {"(-8)^(2/3)", 0, 'm', kNoValue, ""},
    {"(-2)^3", 0, 'n', -8.0, ""},
    {"(-2)^-1", 0, 'n', -0.5, ""},
    {"(-2)^0,5", 0, 'm', kNoValue, ""},
    {"(-2)^0", 0, 'n', 1.0, ""},
    {"x^2", -3, 'n', 9.0, ""},
    {"x^0,5", -3, 'm', kNoValue, ""},
    {"(-1)^10000000000", 0, 'm', kNoValue, "nearest integer beyond 32 bits"},
    {"(-1)^2147483647", 0, 'n', -1.0, "the largest 32-bit exponent"},
    {"(-2)^0,00000000001", 0, 'n', 1.0, "|p| below 1e-10 counts as 0"},
    {"(-2)^(1/5)", 0, 'n', -std::pow(2.0, 0.2), ""},
    {"(-2)^(1/4)", 0, 'm', kNoValue, "even root"},
    {"3^2", 0, 'n', 9.0, "within rounding"},
    {"2^3^2", 0, 'n', 64.0, ""},
};

const Case kFunctions[] = {
    {"sqrt(x)", -1, 'm', kNoValue, ""},
    {"sqrt(x)", 0, 'n', 0.0, ""},
    {"ln(x)", 0, 'm', kNoValue, "logarithm of zero"},
    {"lg(x)", 0, 'm', kNoValue, ""},
    {"ln(x)", -1, 'm', kNoValue, ""},
    {"lg(100)", 0, 'n', 2.0, ""},
    {"ln(e)", 0, 'n', std::log(2.7182818284), ""},
    {"arcsin(x)", 2, 'm', kNoValue, ""},
    {"arcsin(x)", -1.0000000000000002, 'm', kNoValue, "just beyond -1"},
    {"arccos(x)", 2, 'm', kNoValue, ""},
    {"arccos(x)", 1.0000000000000002, 'm', kNoValue, "just beyond 1"},
    {"arcsin(x)", 0.5, 'n', 0.52359877559829893, ""},
    {"arcsin(x)", -0.1, 'n', -0.1001674211615598, ""},
    {"arccos(x)", 0.5, 'n', 1.0471975511965979, ""},
    {"arccos(x)", -0.5, 'n', 2.0943951023931957, ""},
    {"ctg(x)", 0, 'm', kNoValue, ""},
    {"csc(x)", 0, 'm', kNoValue, ""},
    {"ctg(x)", 1e-309, 'm', kNoValue, "the quotient overflows"},
    {"csc(x)", 1e-309, 'm', kNoValue, ""},
    {"tg(0)", 0, 'n', 0.0, ""},
    {"sc(0)", 0, 'n', 1.0, ""},
    {"int(-2,5)", 0, 'n', -2.0, "toward zero"},
    {"frac(-2,5)", 0, 'n', -0.5, "the sign of the argument"},
    {"abs(-2)", 0, 'n', 2.0, ""},
    {"sin(x)", 9223372036854775808.0, 'n', 0.0, "2^63 and beyond: 0"},
    {"cos(x)", -9223372036854775808.0, 'n', 0.0, ""},
    {"tg(x)", 9223372036854775808.0, 'm', kNoValue, "cosine 0 there"},
    {"sc(x)", 9223372036854775808.0, 'm', kNoValue, ""},
    {"ctg(x)", 1e19, 'm', kNoValue, ""},
    {"csc(x)", 1e19, 'm', kNoValue, ""},
    {"cos(x)", 0, 'n', 1.0, ""},
    {"arctg(1)", 0, 'n', std::atan(1.0), ""},
};

// Values given to the last digit.
const Case kExactValues[] = {
    {"arcsin(0)", 0, 'n', 0.0, ""},
    {"arccos(0)", 0, 'n', 1.5707963267948966, "pi/2 at extended precision"},
    {"arcsin(x)", 1, 'n', 1.5707963267948966, "the ends: the extended pi/2"},
    {"arcsin(x)", -1, 'n', -1.5707963267948966, ""},
    {"arccos(x)", 1, 'n', 0.0, ""},
    {"arccos(x)", -1, 'n', 3.141592653589793, "twice the extended pi/2"},
    {"arcctg(0)", 0, 'n', 1.5707963267948966, "pi/2 at extended precision"},
    {"2^3^2", 0, 'n', 64.0, ""},
    {"pi", 0, 'n', 3.1415926535, ""},
    {"e", 0, 'n', 2.7182818284, ""},
};

TEST(Operators, Table) {
    RunCases(std::begin(kOperators), std::end(kOperators), false);
}
TEST(Powers, Table) {
    RunCases(std::begin(kPowers), std::end(kPowers), false);
}
TEST(Functions, Table) {
    RunCases(std::begin(kFunctions), std::end(kFunctions), false);
}
TEST(Functions, ExactValues) {
    RunCases(std::begin(kExactValues), std::end(kExactValues), true);
}

TEST(Functions, FailureCarriesTheArgumentOn) {
    auto r = Eval("sqrt(x)+1", -4);
    EXPECT_EQ(r.status, 'm');
    EXPECT_DOUBLE_EQ(r.value, -3.0);
    r = Eval("1/0*3", 0);
    EXPECT_EQ(r.status, 'm');
    EXPECT_DOUBLE_EQ(r.value, 3.0) << "exact division by zero keeps the dividend";
    r = Eval("x*x+5", 1e200);
    EXPECT_EQ(r.status, 'm');
    EXPECT_DOUBLE_EQ(r.value, 5.0) << "a trapped product becomes 0";
}

TEST(Functions, TableHasSixteenNames) {
    const auto &names = kurvanto::FunctionNames();
    ASSERT_EQ(names.size(), 16u);
    for (const auto &name : names) {
        EXPECT_NE(kurvanto::FindFunction(name), nullptr) << name;
        // Every name is reachable from a formula in any case.
        std::string lower = name;
        for (char &c : lower)
            c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        EXPECT_NE(Eval(lower + "(0,5)").status, 'f') << lower;
    }
}

TEST(RelativeDistance, SixByteRealRules) {
    double d = -1;
    ASSERT_TRUE(kurvanto::RelativeDistance(3.0, 0.0, d));
    EXPECT_EQ(d, 3.0) << "|a| when n is 0";
    ASSERT_TRUE(kurvanto::RelativeDistance(2.0000000001, 2.0, d));
    EXPECT_NEAR(d, 5e-11, 1e-12);
    ASSERT_TRUE(kurvanto::RelativeDistance(1e-40, 0.0, d));
    EXPECT_EQ(d, 0.0) << "below the 6-byte range becomes 0";
    EXPECT_FALSE(kurvanto::RelativeDistance(1e39, 3.0, d)) << "beyond the range traps";
    // 1 + 2^-41 is 1 in 40 bits: the distance to 1 vanishes.
    ASSERT_TRUE(kurvanto::RelativeDistance(1.0 + std::ldexp(1.0, -41), 1.0, d));
    EXPECT_EQ(d, 0.0);
}

} // namespace
