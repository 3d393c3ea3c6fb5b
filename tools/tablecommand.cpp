// SPDX-License-Identifier: GPL-3.0-or-later
#include "tablecommand.h"

#include <cstdio>
#include <optional>

#include "cliargs.h"
#include "enginecommands.h"
#include "errors.h"
#include "paramoptions.h"
#include "valuetable.h"

namespace kurvanto {

namespace {

struct TableJob {
    std::vector<std::string> formulas; // the first one, then those of --also
    std::optional<double> from, step;
    std::optional<int> count;
    ParameterArguments parameters; // --param
};

const std::string &ValueAfter(const std::vector<std::string> &args, std::size_t &i) {
    if (i + 1 == args.size())
        throw UsageError("table: " + args[i] + ": не задано значение");
    return args[++i];
}

double RealOption(const std::string &name, const std::string &text) {
    const auto value = ParseReal(text);
    if (!value)
        throw UsageError(OptionMessage(name, {text}, kRealWhy));
    return *value;
}

int CountOption(const std::string &text) {
    const auto value = ParseInt(text);
    if (!value || *value < 1 || *value > kTableMaxRows)
        throw UsageError(OptionMessage(
            "--count", {text}, "нужно целое число от 1 до " + std::to_string(kTableMaxRows)));
    return *value;
}

void TakeFormula(TableJob &job, const std::string &formula) {
    if (!job.formulas.empty())
        throw UsageError("лишний аргумент «" + formula + "»: формула уже задана («" +
                         job.formulas[0] + "»), другие задают --also");
    job.formulas.push_back(formula);
}

TableJob ReadTableJob(const std::vector<std::string> &args) {
    TableJob job;
    std::vector<std::string> also;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string &arg = args[i];
        if (arg == "--also")
            also.push_back(ValueAfter(args, i));
        else if (arg == "--from")
            job.from = RealOption(arg, ValueAfter(args, i));
        else if (arg == "--step")
            job.step = RealOption(arg, ValueAfter(args, i));
        else if (arg == "--count")
            job.count = CountOption(ValueAfter(args, i));
        else if (arg == "--")
            TakeFormula(job, ValueAfter(args, i));
        else if (TakeParamOption(args, i, job.parameters))
            continue;
        else if (IsOptionArgument(arg))
            throw UnknownOption(arg);
        else
            TakeFormula(job, arg);
    }
    if (job.formulas.empty())
        throw UsageError("table: не задана формула");
    if (!job.from)
        throw UsageError("table: не задан --from");
    if (!job.step)
        throw UsageError("table: не задан --step");
    if (!job.count)
        throw UsageError("table: не задан --count");
    job.formulas.insert(job.formulas.end(), also.begin(), also.end());
    return job;
}

} // namespace

int TableCommand(const std::vector<std::string> &args) {
    const TableJob job = ReadTableJob(args);
    for (const std::string &formula : job.formulas) {
        auto refusal = FormulaRefusal(formula);
        if (!refusal)
            refusal = MissingParameter(formula, job.parameters.given);
        if (refusal) {
            std::fprintf(stderr, "«%s»: %s\n", formula.c_str(), refusal->c_str());
            return kExitFormulaRefused;
        }
    }
    try {
        const std::vector<ParameterValues> values(job.formulas.size(), job.parameters.values);
        const ValueTable table =
            ComputeValueTable(job.formulas, *job.from, *job.step, *job.count, values);
        std::fputs(TableText(table, '\t', "m", false).c_str(), stdout);
    } catch (const CommandError &error) {
        std::fprintf(stderr, "%s.\n", error.what());
        return kExitError;
    }
    return kExitOk;
}

} // namespace kurvanto
