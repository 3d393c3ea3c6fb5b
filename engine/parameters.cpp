// SPDX-License-Identifier: GPL-3.0-or-later
#include "parameters.h"

#include "formulatext.h"
#include "reader.h"

namespace kurvanto {

int ParameterIndex(char c) {
    if (c >= 'A' && c <= 'Z')
        c = static_cast<char>(c - 'A' + 'a');
    for (int i = 0; i < kParameterCount; ++i)
        if (kParameterLetters[i] == c)
            return i;
    return -1;
}

bool IsStandaloneParameter(const std::string &held, std::size_t i) {
    if (i >= held.size() || ParameterIndex(held[i]) < 0)
        return false;
    const bool letterBefore = i > 0 && reading::IsLetter(held[i - 1]);
    const bool letterAfter = i + 1 < held.size() && reading::IsLetter(held[i + 1]);
    return !letterBefore && !letterAfter;
}

std::string ParametersAsX(const std::string &held) {
    std::string out = held;
    for (std::size_t i = 0; i < held.size(); ++i)
        if (IsStandaloneParameter(held, i))
            out[i] = 'x';
    return out;
}

std::vector<ParameterUse> FindParameters(const std::string &utf8) {
    const std::string held = HoldFormulaText(utf8);
    std::vector<ParameterUse> uses;
    for (std::size_t i = 0; i < held.size(); ++i) {
        if (!IsStandaloneParameter(held, i))
            continue;
        const int index = ParameterIndex(held[i]);
        bool seen = false;
        for (const ParameterUse &use : uses)
            seen = seen || use.index == index;
        if (!seen)
            uses.push_back({index, static_cast<int>(i) + 1});
    }
    return uses;
}

std::optional<double> ParameterNumber(const std::string &text) {
    std::size_t at = 0;
    const bool negative = !text.empty() && text[0] == '-';
    if (negative || (!text.empty() && text[0] == '+'))
        at = 1;
    std::string run = text.substr(at);
    for (char &ch : run)
        if (ch == '.')
            ch = ',';
    if (run.empty() || run.size() >= static_cast<std::size_t>(kFormulaMaxLength))
        return std::nullopt;
    for (char ch : run)
        if (!reading::IsDigit(ch) && ch != ',')
            return std::nullopt;
    if (!reading::IsDigit(run[0]))
        return std::nullopt;
    long double value = 0;
    if (!reading::ConvertNumber(run.c_str(), static_cast<std::int32_t>(run.size()), value))
        return std::nullopt;
    const double number = static_cast<double>(value);
    return negative ? -number : number;
}

} // namespace kurvanto
