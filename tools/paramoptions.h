// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The parameters' values on the command line: --param NAME=VALUE, which every command that
// evaluates a formula takes, and the family of plot, --family NAME=FROM:TO:STEP.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "parameters.h"

namespace kurvanto {

struct PlotOption;

// The values given, one bit of `given` per parameter index.
struct ParameterArguments {
    ParameterValues values;
    std::uint8_t given = 0;
};

// When args[i] is --param: takes it and its value (i moves onto the value) and returns true.
// Throws UsageError for a missing or malformed value.
bool TakeParamOption(const std::vector<std::string> &args, std::size_t &i,
                     ParameterArguments &into);

// "позиция P: параметр «k» не задан" for the leftmost parameter of the formula that has no
// value; nothing when every one has.
std::optional<std::string> MissingParameter(const std::string &formula, std::uint8_t given);

// A family: the parameter and its values, from + i * step up to `to` (within half a step).
struct FamilyArgument {
    int parameter = -1;
    std::vector<double> values;
};

// plot's --param and --family, for its table of options.
PlotOption ParamPlotOption();
PlotOption FamilyPlotOption();

} // namespace kurvanto
