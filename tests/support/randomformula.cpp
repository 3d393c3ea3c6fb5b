// SPDX-License-Identifier: GPL-3.0-or-later
#include "randomformula.h"

#include <cctype>
#include <iterator>

namespace kurvanto::testing {
namespace {

std::size_t Pick(std::mt19937 &rng, std::size_t count) {
    return std::uniform_int_distribution<std::size_t>(0, count - 1)(rng);
}

template <typename List> const char *PickFrom(std::mt19937 &rng, const List &list) {
    return list[Pick(rng, std::size(list))];
}

std::string RandomFunction(std::mt19937 &rng) {
    static const char *const functions[] = {"sin",   "cos",    "tg",  "ctg",  "ln",     "lg",
                                            "sqrt",  "abs",    "int", "frac", "arcsin", "arccos",
                                            "arctg", "arcctg", "sc",  "csc"};
    std::string name = PickFrom(rng, functions);
    if (Pick(rng, 10) == 0)
        for (char &c : name)
            c = char(std::toupper(static_cast<unsigned char>(c)));
    return name;
}

} // namespace

std::string RandomNumber(std::mt19937 &rng) {
    if (Pick(rng, 4) != 0)
        return std::to_string(Pick(rng, 20));
    std::string digits = std::to_string(Pick(rng, 1000000));
    const std::size_t point = Pick(rng, digits.size());
    return point == 0 ? digits : digits.insert(point, 1, ',');
}

std::string RandomFormula(std::mt19937 &rng, int depth) {
    static const char *const operands[] = {"x", "X",   "e",    "pi", "2",    "0",
                                           "1", "0,5", "3,25", "10", "1000", "0,001"};
    switch (depth > 0 ? Pick(rng, 6) : 0) {
    case 0:
        return Pick(rng, 5) == 0 ? RandomNumber(rng) : std::string(PickFrom(rng, operands));
    case 1:
        return RandomFunction(rng) + "(" + RandomFormula(rng, depth - 1) + ")";
    case 2:
        return "(" + RandomFormula(rng, depth - 1) + ")";
    case 3:
        return "-" + RandomFormula(rng, 0);
    default:
        return RandomFormula(rng, depth - 1) + "+-*/^"[Pick(rng, 5)] +
               RandomFormula(rng, depth - 1);
    }
}

std::string RandomPieces(std::mt19937 &rng, int maxPieces) {
    static const char *const pieces[] = {"x",
                                         "X",
                                         "e",
                                         "E",
                                         "pi",
                                         "PI",
                                         "pI",
                                         "p",
                                         "P",
                                         "0",
                                         "1",
                                         "2",
                                         "5",
                                         "7",
                                         "9",
                                         ",",
                                         "1000",
                                         "0,001",
                                         "2,5",
                                         "+",
                                         "-",
                                         "*",
                                         "/",
                                         "^",
                                         "(",
                                         ")",
                                         " ",
                                         "  ",
                                         "sin",
                                         "cos",
                                         "COS",
                                         "Sin",
                                         "tg",
                                         "ctg",
                                         "ln",
                                         "lg",
                                         "sqrt",
                                         "abs",
                                         "int",
                                         "frac",
                                         "sc",
                                         "csc",
                                         "arcsin",
                                         "arccos",
                                         "arctg",
                                         "arcctg",
                                         "sinx",
                                         "foo",
                                         "n",
                                         ".",
                                         ";",
                                         "#",
                                         "\t",
                                         "\xd1\x85",
                                         "\xc3\xa9",
                                         "\xff",
                                         "\xe2\x82\xac",
                                         "\xd0\xb6",
                                         "\xcf\x80",
                                         "\xc2\xb2",
                                         "\xf0\x9f\x98\x80"};
    std::string text;
    for (int n = int(Pick(rng, std::size_t(maxPieces) + 1)); n > 0; --n)
        text += PickFrom(rng, pieces);
    return text;
}

std::string Spoiled(std::mt19937 &rng, std::string text, int odds) {
    if (Pick(rng, std::size_t(odds)) == 0)
        text.insert(Pick(rng, text.size() + 1), 1, ",x()+-^."[Pick(rng, 8)]);
    return text;
}

} // namespace kurvanto::testing
