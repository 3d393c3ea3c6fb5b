// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The parameters of a formula: the letters a, b, c, k and m (either case), each standing
// alone, with no letter on either side. Such a letter reads as its value, like a constant,
// and follows the pair rules of x. A longer run of letters stays a name of the function table.
#include <array>
#include <optional>
#include <string>
#include <vector>

namespace kurvanto {

constexpr int kParameterCount = 5;
constexpr char kParameterLetters[] = "abckm"; // lower case, in index order

// The values the parameters read as; every one is 1 until given another.
struct ParameterValues {
    std::array<double, kParameterCount> value{1, 1, 1, 1, 1};
    bool operator==(const ParameterValues &other) const { return value == other.value; }
    bool operator!=(const ParameterValues &other) const { return !(*this == other); }
};

// The index of a parameter's letter (either case); -1 for any other character.
int ParameterIndex(char c);

// Whether the character at i of a held text (one byte per character) is a parameter: one of
// the letters, with no letter just before or just after it.
bool IsStandaloneParameter(const std::string &held, std::size_t i);

// The held text with each parameter written as x: what the character-pair rules test.
std::string ParametersAsX(const std::string &held);

// A parameter a text uses, and the first character it stands at (from 1, as typed).
struct ParameterUse {
    int index;
    int position;
};

// The parameters of a text (UTF-8, as typed), in the order of their first appearance.
std::vector<ParameterUse> FindParameters(const std::string &utf8);

// A parameter's value as the tool takes it: the formula's own number conversion (a decimal
// comma or a point, an optional sign), so that "k=0,1" reads exactly as 0,1 in a formula.
std::optional<double> ParameterNumber(const std::string &text);

} // namespace kurvanto
