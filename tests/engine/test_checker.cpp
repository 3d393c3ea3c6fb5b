// SPDX-License-Identifier: GPL-3.0-or-later
// The character-pair checker.
#include <gtest/gtest.h>

#include "engineeval.h"

using kurvanto::testing::Check;

namespace {

struct CheckCase {
    const char *text;
    char status;
    const char *why;
};

const CheckCase kCheckCases[] = {
    {"", 'n', "empty text: nothing is tested"},
    {"+", 'n', "one character: nothing is tested"},
    {"#", 'n', "one character outside every set"},
    {"x+", 'n', "the last character is only a follower"},
    {"x^", 'n', "trailing operator passes"},
    {"sin(", 'n', "open parenthesis at the end"},
    {"+x", 'n', "the first character only leads"},
    {"*x", 'n', "leading operator passes"},
    {"#x", 'n', "a character in no set leads untested"},
    {"(x", 'n', "parentheses are not counted"},
    {"x)", 'n', "parentheses are not counted"},
    {"((x)", 'n', "parentheses are not counted"},
    {"2 x", 'n', "a space hides the pair"},
    {"x (x)", 'n', "a space hides the pair"},
    {"sin x", 'n', "a space hides the pair"},
    {"2x", 'f', "implicit product"},
    {"x(x)", 'f', "implicit product"},
    {"p i", 'f', "p must be followed by i"},
    {"2,5", 'n', "decimal comma"},
    {"2.5", 'f', "decimal point refused"},
    {"2,,5", 'n', "left to the number conversion"},
    {"x*-2", 'n', "minus may open an operand"},
    {"x^-2", 'n', ""},
    {"x--2", 'n', ""},
    {"--x", 'n', ""},
    {"(-x)", 'n', ""},
    {"x*+2", 'f', "plus may not open an operand"},
    {"x+*2", 'f', "two operators"},
    {"x**2", 'f', ""},
    {"x^^2", 'f', ""},
    {"x++2", 'f', ""},
    {"x+)", 'f', "closing parenthesis after an operator"},
    {"()", 'f', "empty parentheses"},
    {"sinx", 'n', "one name, refused later by the evaluator"},
    {"2n", 'n', "n may follow an operand end"},
    {"pi*x", 'n', ""},
    {"PI*X", 'n', ""},
    {"Pi", 'n', ""},
    {"e^x", 'n', ""},
    {"E^X", 'n', ""},
    {"sin(x)", 'n', ""},
    {"SIN(X)", 'n', ""},
    {"arcsin(x/2)", 'n', ""},
    {"lg(abs(x))", 'n', ""},
    {"x+y", 'f', "y cannot begin an operand"},
    {"x+foo(x)", 'n', "f may begin a function name"},
    {"2pi", 'f', "implicit product"},
    {"2e", 'f', ""},
    {"2sin(x)", 'f', ""},
    {"2(x)", 'f', ""},
    {"x2", 'f', ""},
    {"xe", 'f', ""},
    {"pi(x)", 'f', "i followed by a parenthesis"},
    {"(x)(x)", 'f', ""},
    {"(x)x", 'f', ""},
    {"x,5", 'f', "comma after x"},
    {"e,", 'f', "comma after e"},
    {"(\xd1\x85", 'f', "Cyrillic letter after an operator"},
    {"2\xd1\x85", 'f', "Cyrillic letter after a digit"},
    {"\xd1\x85+x", 'n', "Cyrillic letter leading is untested"},
    {"a\xd1\x85", 'n', "after a letter in no leading set"},
    {"p\xd1\x85", 'f', "after p"},
    {"x.", 'f', "point after x"},
    {"x\t", 'f', "tab after x"},
    {"2,5+x", 'n', ""},
    {"x  +  2", 'n', "spaces everywhere"},
    {" ", 'n', ""},
    {"  x", 'n', ""},
};

TEST(CharacterPairs, Table) {
    for (const auto &c : kCheckCases)
        EXPECT_EQ(Check(c.text), c.status) << "'" << c.text << "': " << c.why;
}

TEST(CharacterPairs, NeverClearsAnEarlierFailure) {
    kurvanto::SetFormulaText("x+1");
    kurvanto::FormulaStatus = 'f';
    kurvanto::CheckFormula();
    EXPECT_EQ(kurvanto::FormulaStatus, 'f');
    kurvanto::FormulaStatus = 'm';
    kurvanto::CheckFormula();
    EXPECT_EQ(kurvanto::FormulaStatus, 'm') << "the checker only ever stores 'f'";
}

TEST(CharacterPairs, OnlyTheFirst80CharactersAreHandedOver) {
    // "x+x+...+x" is 79 characters; an 80th "1" makes the refused pair "x1".
    std::string text = "x";
    for (int i = 0; i < 39; ++i)
        text += "+x";
    text += "1";
    ASSERT_EQ(text.size(), 80u);
    EXPECT_EQ(Check(text), 'f');
    EXPECT_EQ(Check(text.substr(0, 79) + "+2x"), 'n') << "the 81st character is dropped";
    EXPECT_EQ(std::string(kurvanto::FormulaText).size(), 80u);
}

TEST(CharacterPairs, NonAsciiCountsAsOneCharacter) {
    // 79 characters of "x+x+..." then a two-byte Cyrillic letter: 80 characters in all.
    std::string text = "x";
    while (text.size() < 79)
        text += "+x";
    text = text.substr(0, 78) + "+\xd1\x85";
    kurvanto::SetFormulaText(text);
    EXPECT_EQ(std::string(kurvanto::FormulaText).size(), 80u);
    EXPECT_EQ(kurvanto::FormulaText[79], kurvanto::kNonAsciiChar);
}

} // namespace
