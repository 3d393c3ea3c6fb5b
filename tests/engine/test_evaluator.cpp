// SPDX-License-Identifier: GPL-3.0-or-later
// The scanner and the reader: precedence, signs, names, statuses, the conversion error.
#include <gtest/gtest.h>

#include <cmath>

#include "engineeval.h"
#include "errors.h"

using kurvanto::testing::Eval;

namespace {

struct ValueCase {
    const char *text;
    double x;
    double expected;
    const char *why;
};

void ExpectValues(const ValueCase *begin, const ValueCase *end) {
    for (auto c = begin; c != end; ++c) {
        auto r = Eval(c->text, c->x);
        EXPECT_EQ(r.status, 'n') << "'" << c->text << "' at " << c->x;
        EXPECT_DOUBLE_EQ(r.value, c->expected) << "'" << c->text << "': " << c->why;
    }
}

const ValueCase kPrecedence[] = {
    {"x", 3, 3, ""},
    {"2*x+1", 3, 7, ""},
    {"2*x^2", 3, 18, "power binds tighter than product"},
    {"5-2-1", 0, 2, "left to right"},
    {"8/2/2", 0, 2, "left to right"},
    {"2^3^2", 0, 64, "power is left-associative"},
    {"-2^2", 0, 4, "the sign binds tighter than the power"},
    {"-x^2", 3, 9, ""},
    {"2^-1", 0, 0.5, ""},
    {"x--x", 3, 6, "the second sign belongs to the term"},
    {"x+-x", 3, 0, ""},
    {"-(sin(x))", 1, -std::sin(1.0), ""},
    {"0-sin(x)", 1, -std::sin(1.0), ""},
    {"-1*sin(x)", 1, -std::sin(1.0), ""},
    {"1+2*3", 0, 7, ""},
    {"(1+2)*3", 0, 9, ""},
    {"2*(3+4)^2", 0, 98, ""},
};

const ValueCase kNamesAndFunctions[] = {
    {"sin x", 1, std::sin(1.0), "a function applies to the operand after a blank"},
    {"sin(x)", 1, std::sin(1.0), ""},
    {"sin x^2", 2, std::sin(2.0) * std::sin(2.0), "function binds tighter than power"},
    {"sin(x)^2", 2, std::sin(2.0) * std::sin(2.0), ""},
    {"sin(x^2)", 2, std::sin(4.0), ""},
    {"sin-x", 1, std::sin(-1.0), "the function applies to the signed operand"},
    {"sin(sin(x))", 1, std::sin(std::sin(1.0)), ""},
    {"SIN(X)", 1, std::sin(1.0), "names are folded to upper case"},
    {"Sin(x)", 1, std::sin(1.0), ""},
    {"PI", 0, 3.1415926535, "the constant as written, not full pi"},
    {"Pi", 0, 3.1415926535, ""},
    {"pI", 0, 3.1415926535, ""},
    {"pi", 0, 3.1415926535, ""},
    {"e", 0, 2.7182818284, "the constant as written, not full e"},
    {"E", 0, 2.7182818284, ""},
    {"2,5", 0, 2.5, "decimal comma"},
    {"2,", 0, 2, "a trailing comma is allowed"},
    {"x)+5", 4, 4, "the reading stops at the first token that cannot continue"},
    {"2 x", 0, 2, "the rest is not read"},
    {"sin(x", 1, std::sin(1.0), "a missing closing parenthesis is harmless"},
    {"(x+1 2)", 1, 2, "the token after a group is skipped untested"},
    {"  x  ", 5, 5, "blanks around"},
    {"0012,50", 0, 12.5, "leading zeros"},
};

TEST(Precedence, Values) {
    ExpectValues(std::begin(kPrecedence), std::end(kPrecedence));
}

TEST(SignsAndNames, Values) {
    ExpectValues(std::begin(kNamesAndFunctions), std::end(kNamesAndFunctions));
}

struct StatusCase {
    const char *text;
    double x;
    char status;
    const char *why;
};

const StatusCase kStatuses[] = {
    {"", 0, 'f', "empty"},
    {"   ", 0, 'f', "blanks only"},
    {"--x", 1, 'f', "only one sign"},
    {"+x", 1, 'f', "no plus sign may open an operand"},
    {"-sin(x)", 1, 'f', "a sign cannot stand before a function name"},
    {"sin sin x", 1, 'f', "a name where a primary must stand"},
    {"x+", 1, 'f', "trailing operator"},
    {"x*", 1, 'f', ""},
    {"x/", 1, 'f', "a missing divisor is malformed, not a division by zero"},
    {"x^", -1, 'f', ""},
    {"ln", 0, 'f', "a name with nothing after it"},
    {"arcsin", 0, 'f', ""},
    {"ctg", 0, 'f', ""},
    {"(", 0, 'f', ""},
    {"sinx", 1, 'f', "SINX is not in the table"},
    {"foo(x)", 1, 'f', ""},
    {"\xd1\x85", 1, 'f', "a Cyrillic letter is outside the alphabet"},
    {"x\t", 1, 'f', "the lookahead after x meets the tab"},
    {"\tx", 1, 'f', "a tab is not skipped as a blank"},
    {"2.5", 0, 'f', "the lookahead after 2 meets the point"},
    {".5", 0, 'f', "a point is outside the alphabet"},
    {"foo(x)+1/0", 1, 'm', "the last failure wins"},
    {"1/0+foo(x)", 1, 'f', "the last failure wins"},
    {"y", 0, 'f', "a name where a primary must stand"},
    {"x+y", 0, 'f', ""},
    {"2+x", 0, 'n', ""},
};

TEST(Statuses, Table) {
    for (const auto &c : kStatuses)
        EXPECT_EQ(Eval(c.text, c.x).status, c.status) << "'" << c.text << "': " << c.why;
}

TEST(Statuses, EngineNeverStoresN) {
    kurvanto::SetFormulaText("x+1");
    for (char before : {'f', 'm', 'l'}) {
        kurvanto::FormulaStatus = before;
        EXPECT_DOUBLE_EQ(kurvanto::EvaluateFormula(1), 2.0);
        EXPECT_EQ(kurvanto::FormulaStatus, before) << "a good evaluation leaves the status";
    }
}

TEST(Statuses, UnknownNameCarriesTheArgumentOn) {
    auto r = Eval("foo(x)*2", 3);
    EXPECT_EQ(r.status, 'f');
    EXPECT_DOUBLE_EQ(r.value, 6.0);
}

TEST(Scanner, NothingFromAnEarlierCallLeaks) {
    auto first = Eval("sin(", 1);
    EXPECT_EQ(first.status, 'f');
    auto second = Eval("x*2", 4);
    EXPECT_EQ(second.status, 'n');
    EXPECT_EQ(second.value, 8.0);
}

struct ConversionCase {
    const char *text;
    const char *message;
};

const ConversionCase kConversionErrors[] = {
    {"2,,5", "'2,,5' is not a valid floating point value"},
    {"2 2,,5", "'2,,5' is not a valid floating point value"},
    {"x+1,2,3", "'1,2,3' is not a valid floating point value"},
    {"sin(1,,)", "'1,,' is not a valid floating point value"},
};

TEST(ConversionError, RaisedWhenTheRunIsScanned) {
    for (const auto &c : kConversionErrors) {
        try {
            Eval(c.text, 0);
            ADD_FAILURE() << "'" << c.text << "' raised nothing";
        } catch (const kurvanto::ConversionError &e) {
            EXPECT_STREQ(e.what(), c.message);
        }
    }
}

TEST(ConversionError, NotRaisedForARunNeverScanned) {
    // The reading ends at the point or the parenthesis; the bad run is never scanned.
    EXPECT_EQ(Eval("2.2,,5", 0).status, 'f');
    EXPECT_EQ(Eval("x)2,,5", 0).status, 'n');
}

} // namespace
