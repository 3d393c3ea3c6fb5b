// SPDX-License-Identifier: GPL-3.0-or-later
#include "paramoptions.h"

#include "cliargs.h"
#include "displaylist.h"
#include "formulatext.h"
#include "plotcommand.h"

namespace kurvanto {

namespace {

const char *const kParamWhy = "нужно ИМЯ=ЧИСЛО, где ИМЯ - a, b, c, k или m, например k=0,5";
const char *const kFamilyWhy = "нужно ИМЯ=ОТ:ДО:ШАГ, где ИМЯ - a, b, c, k или m, ОТ не больше "
                               "ДО, ШАГ больше 0, например c=-2:2:1";

// "k=0,5": the parameter's index and the text after "=".
std::optional<std::pair<int, std::string>> SplitAssignment(const std::string &text) {
    if (text.size() < 3 || text[1] != '=' || ParameterIndex(text[0]) < 0)
        return std::nullopt;
    return std::make_pair(ParameterIndex(text[0]), text.substr(2));
}

bool ReadParam(const std::string &text, ParameterArguments &into) {
    const auto assignment = SplitAssignment(text);
    const auto value = assignment ? ParameterNumber(assignment->second) : std::nullopt;
    if (!value)
        return false;
    const auto index = static_cast<std::size_t>(assignment->first);
    into.values.value[index] = *value;
    into.given = static_cast<std::uint8_t>(into.given | (1u << index));
    return true;
}

// FROM:TO:STEP; nullopt when malformed, a refusal in `why` when there are too many values.
std::optional<FamilyArgument> ReadFamily(const std::string &text, std::string &why) {
    const auto assignment = SplitAssignment(text);
    if (!assignment)
        return std::nullopt;
    const std::string &range = assignment->second;
    const std::size_t first = range.find(':'), second = range.find(':', first + 1);
    if (first == std::string::npos || second == std::string::npos)
        return std::nullopt;
    const auto from = ParameterNumber(range.substr(0, first));
    const auto to = ParameterNumber(range.substr(first + 1, second - first - 1));
    const auto step = ParameterNumber(range.substr(second + 1));
    const auto values = from && to && step ? FamilyValues(*from, *to, *step) : std::nullopt;
    if (from && to && step && !values)
        why = "в семействе больше " + std::to_string(kMaxFamilyMembers) + " графиков";
    if (!values || values->empty())
        return std::nullopt;
    FamilyArgument family;
    family.parameter = assignment->first;
    family.values = *values;
    return family;
}

} // namespace

bool TakeParamOption(const std::vector<std::string> &args, std::size_t &i,
                     ParameterArguments &into) {
    if (args[i] != "--param")
        return false;
    if (i + 1 == args.size())
        throw UsageError("--param: не хватает значений (--param ИМЯ=ЧИСЛО)");
    ++i;
    if (!ReadParam(args[i], into))
        throw UsageError(OptionMessage("--param", {args[i]}, kParamWhy));
    return true;
}

std::optional<std::string> MissingParameter(const std::string &formula, std::uint8_t given) {
    const std::string held = HoldFormulaText(formula);
    for (const ParameterUse &use : FindParameters(formula))
        if (!(given & (1u << use.index)))
            return "позиция " + std::to_string(use.position) + ": параметр «" +
                   held[static_cast<std::size_t>(use.position - 1)] + "» не задан";
    return std::nullopt;
}

PlotOption ParamPlotOption() {
    return {"--param",
            1,
            "--param ИМЯ=ЧИСЛО",
            "значение параметра a, b, c, k или m в формулах; можно несколько раз",
            kParamWhy,
            [](const std::vector<std::string> &v, PlotJob &job) {
                return ReadParam(v[0], job.parameters);
            }};
}

PlotOption FamilyPlotOption() {
    return {"--family",
            1,
            "--family ИМЯ=ОТ:ДО:ШАГ",
            "семейство: по графику на каждое значение параметра, не больше 50",
            kFamilyWhy,
            [](const std::vector<std::string> &v, PlotJob &job) {
                std::string why;
                job.family = ReadFamily(v[0], why);
                if (!why.empty())
                    throw UsageError(OptionMessage("--family", v, why));
                return job.family.has_value();
            }};
}

} // namespace kurvanto
