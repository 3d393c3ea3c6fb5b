// SPDX-License-Identifier: GPL-3.0-or-later
// Whether the program accepts a formula, and where the leftmost fault is, in characters as
// typed.
#include <gtest/gtest.h>

#include <optional>
#include <random>
#include <string>

#include "acceptance.h"
#include "errors.h"
#include "formula.h"

namespace kurvanto {
namespace {

struct FaultCase {
    const char *name;
    const char *text;
    FaultKind kind;
    int position, length;
    const char *reason;
};

void PrintTo(const FaultCase &c, std::ostream *os) {
    *os << c.name;
}

class FaultTest : public ::testing::TestWithParam<FaultCase> {};

TEST_P(FaultTest, LeftmostFault) {
    const FaultCase &c = GetParam();
    const std::optional<FormulaFault> fault = FindFormulaFault(c.text);
    ASSERT_TRUE(fault.has_value()) << c.text;
    EXPECT_EQ(static_cast<int>(fault->kind), static_cast<int>(c.kind));
    EXPECT_EQ(fault->position, c.position);
    EXPECT_EQ(fault->length, c.length);
    EXPECT_EQ(fault->reason, c.reason);
}

using K = FaultKind;
INSTANTIATE_TEST_SUITE_P(
    Acceptance, FaultTest,
    ::testing::Values(
        FaultCase{"Empty", "", K::Empty, 1, 0, "формула пуста"},
        FaultCase{"Blank", "   ", K::Empty, 1, 0, "формула пуста"},
        FaultCase{"CyrillicX", "х", K::Character, 1, 1,
                  "символ «х» не входит в формулу (нужна латинская x)"},
        FaultCase{"CyrillicXAfterOperator", "2*х+1", K::Character, 3, 1,
                  "символ «х» не входит в формулу (нужна латинская x)"},
        FaultCase{"CyrillicCapitalX", "Х^2", K::Character, 1, 1,
                  "символ «Х» не входит в формулу (нужна латинская x)"},
        FaultCase{"Hash", "x+#", K::Character, 3, 1, "символ «#» не входит в формулу"},
        FaultCase{"Point", "2.5", K::Character, 2, 1,
                  "символ «.» не входит в формулу (дробную часть отделяет запятая)"},
        FaultCase{"Tab", "x\t+1", K::Character, 2, 1, "символ с кодом 9 не входит в формулу"},
        FaultCase{"LoneComma", ",5", K::Character, 1, 1,
                  "запятая может стоять только внутри числа"},
        FaultCase{"TrailingOperator", "x+", K::Operand, 2, 1,
                  "после «+» нет числа, x, константы или скобки"},
        FaultCase{"LoneParenthesis", "(", K::Operand, 1, 1,
                  "после «(» нет числа, x, константы или скобки"},
        FaultCase{"LeadingOperator", "*x", K::Operand, 1, 1, "формула не может начинаться с «*»"},
        FaultCase{"TwoSigns", "--x", K::Operand, 2, 1,
                  "после «-» нет числа, x, константы или скобки"},
        FaultCase{"SignBeforeName", "-sin(x)", K::SignBeforeName, 2, 3,
                  "перед функцией «sin» не может стоять минус: пишите -(sin(x))"},
        FaultCase{"SignBeforeNameInParentheses", "(-sin(x))", K::SignBeforeName, 3, 3,
                  "перед функцией «sin» не может стоять минус: пишите -(sin(x))"},
        FaultCase{"SignBeforeNameOfAPower", "2*- cos x^2+1", K::SignBeforeName, 5, 3,
                  "перед функцией «cos» не может стоять минус: пишите -(cos x^2)"},
        FaultCase{"SignBeforeBorrowedName", "-tan(x)", K::UnknownName, 2, 3,
                  "неизвестная функция «tan» (тангенс здесь называется tg)"},
        FaultCase{"Exponent", "exp(x)", K::Pair, 1, 2,
                  "между «e» и «x» нужен знак операции (экспоненту здесь пишут степенью: e^x)"},
        FaultCase{"BorrowedNamesOnceInTheirOrder", "TAN(x)+log(x)+tan(x)", K::UnknownName, 1, 3,
                  "неизвестная функция «TAN» (тангенс здесь называется tg; натуральный логарифм "
                  "здесь - ln, десятичный - lg)"},
        FaultCase{"BorrowedNameAfterTheFault", "2x+floor(x)", K::Pair, 1, 2,
                  "между «2» и «x» нужен знак операции (целую часть здесь даёт int)"},
        FaultCase{"BorrowedNameOnlyAsAWholeRun", "sinexp(x)", K::UnknownName, 1, 6,
                  "неизвестная функция «sinexp»"},
        FaultCase{"NameAfterName", "sin sin x", K::Operand, 5, 3,
                  "после «sin» нет числа, x, константы или скобки"},
        FaultCase{"UnknownName", "sinx", K::UnknownName, 1, 4, "неизвестная функция «sinx»"},
        FaultCase{"UnknownNameLater", "x+foo(x)", K::UnknownName, 3, 3,
                  "неизвестная функция «foo»"},
        FaultCase{"LastFailureIsNotTheFirstFault", "1/0+foo(x)", K::UnknownName, 5, 3,
                  "неизвестная функция «foo»"},
        FaultCase{"WrongClosing", "(x+1 2)", K::Closing, 6, 1,
                  "вместо «2» нужна закрывающая скобка «)»"},
        FaultCase{"TrailingParenthesis", "x)+5", K::Trailing, 2, 3,
                  "лишний текст «)+5» после конца формулы"},
        FaultCase{"TrailingAfterSpace", "2 x  ", K::Trailing, 3, 1,
                  "лишний текст «x» после конца формулы"},
        FaultCase{"TrailingGroup", "x (x)", K::Trailing, 3, 3,
                  "лишний текст «(x)» после конца формулы"},
        FaultCase{"TrailingCountsCharacters", "x)+х", K::Trailing, 2, 3,
                  "лишний текст «)+х» после конца формулы"},
        FaultCase{"BadNumber", "2,,5", K::Number, 1, 4, "неверное число «2,,5»"},
        FaultCase{"BadNumberInside", "x*(1+2,,5)", K::Number, 6, 4, "неверное число «2,,5»"},
        FaultCase{"PairRule1", "x*/2", K::Pair, 2, 2,
                  "после «*» не может стоять «/»: нужно число, x, константа, функция или «(»"},
        FaultCase{"PairRule1EmptyGroup", "()", K::Pair, 1, 2,
                  "после «(» не может стоять «)»: нужно число, x, константа, функция или «(»"},
        FaultCase{"PairRule2", "2x", K::Pair, 1, 2, "между «2» и «x» нужен знак операции"},
        FaultCase{"PairRule2AfterGroup", "(x+1)x", K::Pair, 5, 2,
                  "между «)» и «x» нужен знак операции"},
        FaultCase{"DigitAfterGroupIsTrailing", "(x+1)2", K::Trailing, 6, 1,
                  "лишний текст «2» после конца формулы"},
        FaultCase{"PairRule3", "x2", K::Pair, 1, 2,
                  "сразу после «x» не может стоять «2»: нужен знак операции"},
        FaultCase{"PairRule4", "p+1", K::Pair, 1, 2,
                  "после «p» нужна «i» (константа pi), а стоит «+»"}),
    [](const ::testing::TestParamInfo<FaultCase> &param) { return std::string(param.param.name); });

struct HintCase {
    const char *text;
    int position, length; // 0: no hint
    const char *note;
};

void PrintTo(const HintCase &c, std::ostream *os) {
    *os << c.text;
}

class HintTest : public ::testing::TestWithParam<HintCase> {};

TEST_P(HintTest, LeftmostNegatedBase) {
    const HintCase &c = GetParam();
    const std::optional<FormulaHint> hint = FindFormulaHint(c.text);
    ASSERT_EQ(hint.has_value(), c.position > 0) << c.text;
    if (!hint)
        return;
    EXPECT_EQ(hint->position, c.position);
    EXPECT_EQ(hint->length, c.length);
    EXPECT_EQ(hint->text, c.note);
}

INSTANTIATE_TEST_SUITE_P(
    Acceptance, HintTest,
    ::testing::Values(
        HintCase{"-x^2", 1, 4, "«-x^2» читается как (-x)^2; минус всей степени: -(x^2)"},
        HintCase{"1+- (x+1) ^ 2 *3", 3, 11,
                 "«- (x+1) ^ 2» читается как (-(x+1)) ^ 2; минус всей степени: -((x+1) ^ 2)"},
        HintCase{"-(-x^2)^2", 1, 9,
                 "«-(-x^2)^2» читается как (-(-x^2))^2; минус всей степени: -((-x^2)^2)"},
        HintCase{"-(x^2)", 0, 0, ""}, HintCase{"sin-x^2", 0, 0, ""}, HintCase{"2^-x^2", 0, 0, ""},
        HintCase{"-x^2+", 0, 0, "refused: no hint"}));

class AcceptedTest : public ::testing::TestWithParam<const char *> {};

TEST_P(AcceptedTest, NoFault) {
    const std::optional<FormulaFault> fault = FindFormulaFault(GetParam());
    EXPECT_FALSE(fault.has_value())
        << GetParam() << ": " << fault->position << " " << fault->reason;
}

INSTANTIATE_TEST_SUITE_P(Acceptance, AcceptedTest,
                         ::testing::Values("x", "5", "sin(x", "x^2-3", "-x^2", "2,5*x", "2,",
                                           "arcsin(x/2)", "SIN(X)", "pi*x", "PI*X", "e^x", "x--2",
                                           "sin x", "sin-x", "((x))", "lg(abs(x))", "  x  ", "1/0",
                                           "(-8)^(1/3)", "((x"),
                         [](const ::testing::TestParamInfo<const char *> &param) {
                             return "Text" + std::to_string(param.index);
                         });

// Characters, not bytes, and the text cut at 80 characters as the formula box holds it.
TEST(Acceptance, TextIsCutAt80Characters) {
    std::string text = "x";
    while (text.size() < 79)
        text += "+x";
    ASSERT_EQ(text.size(), 79u);
    EXPECT_FALSE(FindFormulaFault(text + " #").has_value()) << "the # is the 81st character";
    const auto fault = FindFormulaFault(text + "+x");
    ASSERT_TRUE(fault.has_value());
    EXPECT_EQ(fault->position, 80);
    EXPECT_EQ(fault->reason, "после «+» нет числа, x, константы или скобки");
}

// The acceptance against the checker and the evaluator themselves: a text they find fault
// with is never accepted, and an accepted text reads without "f" or an error at every x.
TEST(Acceptance, AgreesWithTheCheckerAndTheEvaluator) {
    static const std::string pieces[] = {"x",    "e",   "pi",  "p", "2", "0", ",",    "15",    "+",
                                         "-",    "*",   "/",   "^", "(", ")", " ",    "sin",   "ln",
                                         "sqrt", "abs", "foo", ".", "#", "х", "\xff", "arcsin"};
    std::mt19937 rng(13);
    std::uniform_int_distribution<std::size_t> pick(0, std::size(pieces) - 1);
    std::uniform_int_distribution<int> count(0, 12);
    int accepted = 0;
    for (int i = 0; i < 5000; ++i) {
        std::string text;
        for (int n = count(rng); n > 0; --n)
            text += pieces[pick(rng)];
        SetFormulaText(text);
        const int length = static_cast<int>(std::string(FormulaText).size());
        bool wrong = false;
        FormulaStatus = 'n';
        CheckFormula();
        wrong = FormulaStatus == 'f';
        for (double x : {0.0, 2.0, -1.5}) {
            FormulaStatus = 'n';
            try {
                EvaluateFormula(x);
            } catch (const ConversionError &) {
                wrong = true;
            }
            wrong = wrong || FormulaStatus == 'f';
        }
        const auto fault = FindFormulaFault(text);
        if (wrong) {
            ASSERT_TRUE(fault.has_value()) << text;
        }
        if (!fault) {
            ++accepted;
            if (const auto hint = FindFormulaHint(text)) { // within the text
                EXPECT_TRUE(hint->position >= 1 && hint->position + hint->length - 1 <= length)
                    << text;
            }
            continue;
        }
        if (fault->kind == FaultKind::Empty) {
            EXPECT_EQ(fault->position, 1) << text;
            EXPECT_EQ(fault->length, 0) << text;
        } else {
            EXPECT_GE(fault->position, 1) << text;
            EXPECT_GE(fault->length, 1) << text;
            EXPECT_LE(fault->position + fault->length - 1, length) << text;
        }
        EXPECT_FALSE(fault->reason.empty()) << text;
    }
    EXPECT_GT(accepted, 100);
}

} // namespace
} // namespace kurvanto
