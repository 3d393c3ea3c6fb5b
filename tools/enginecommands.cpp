// SPDX-License-Identifier: GPL-3.0-or-later
#include "enginecommands.h"

#include <algorithm>
#include <cstdio>

#include "acceptance.h"
#include "cliargs.h"
#include "errors.h"
#include "formula.h"
#include "paramoptions.h"
#include "program.h"

namespace kurvanto {

namespace {

// Bytes a UTF-8 sequence announces by its first byte; a stray byte counts as one.
std::size_t SequenceLength(unsigned char lead) {
    if (lead >= 0xF0 && lead < 0xF8)
        return 4;
    if (lead >= 0xE0)
        return lead < 0xF0 ? 3 : 1;
    if (lead >= 0xC0)
        return 2;
    return 1;
}

bool IsContinuation(unsigned char b) {
    return (b & 0xC0) == 0x80;
}

// The byte offset of each character of the text, as the formula box counts characters (one
// per character outside ASCII, however many bytes it takes), and the text's end last.
std::vector<std::size_t> CharacterOffsets(const std::string &utf8) {
    std::vector<std::size_t> offsets;
    std::size_t in = 0;
    while (in < utf8.size() && utf8[in] != '\0') {
        offsets.push_back(in);
        const auto lead = static_cast<unsigned char>(utf8[in]);
        const std::size_t length = lead < 0x80 ? 1 : SequenceLength(lead);
        std::size_t taken = 1;
        while (taken < length && in + taken < utf8.size() &&
               IsContinuation(static_cast<unsigned char>(utf8[in + taken])))
            ++taken;
        in += taken;
    }
    offsets.push_back(in);
    return offsets;
}

// The arguments of check and eval: --raw, and the formula followed by the values. "--" makes
// the next argument the formula, even one that begins with "--".
struct EngineArguments {
    bool raw = false;
    ParameterArguments parameters;   // the raw reading and check take none
    std::vector<std::string> values; // the formula first
};

EngineArguments ReadEngineArguments(const std::string &command,
                                    const std::vector<std::string> &args) {
    EngineArguments read;
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--") {
            if (i + 1 == args.size())
                throw UsageError(command + ": после -- не задана формула");
            if (!read.values.empty())
                throw UsageError(command + ": -- ставят перед формулой, а она уже задана («" +
                                 read.values[0] + "»)");
            read.values.push_back(args[++i]);
        } else if (command == "check" && args[i] == "--param" && i + 1 < args.size()) {
            ++i; // check reads no values: it does not even look at them
        } else if (TakeParamOption(args, i, read.parameters)) {
        } else if (args[i] == "--raw") {
            read.raw = true;
        } else if (IsOptionArgument(args[i])) {
            throw UnknownOption(args[i]);
        } else {
            read.values.push_back(args[i]);
        }
    }
    if (read.values.empty())
        throw UsageError(command + ": не задана формула");
    return read;
}

// The checker alone, exactly as the engine's tests drive it.
int RawCheck(const std::string &formula) {
    SetFormulaText(formula);
    FormulaStatus = 'n';
    CheckFormula();
    std::printf("%c\n", FormulaStatus);
    return kExitOk;
}

// The evaluator alone: the status and the value it carries, whatever the status.
int RawEval(const std::string &formula, const std::vector<double> &xs) {
    SetFormulaText(formula);
    for (double x : xs) {
        FormulaStatus = 'n';
        try {
            const double value = EvaluateFormula(x);
            std::printf("%c %.17g\n", FormulaStatus, value);
        } catch (const CommandError &error) {
            std::fflush(stdout);
            std::fprintf(stderr, "%s.\n", error.what());
            return kExitError;
        }
    }
    return kExitOk;
}

int AcceptedEval(const std::string &formula, const std::vector<double> &xs,
                 const ParameterArguments &parameters) {
    auto refusal = FormulaRefusal(formula);
    if (!refusal)
        refusal = MissingParameter(formula, parameters.given);
    if (refusal) {
        std::fprintf(stderr, "%s\n", refusal->c_str());
        return kExitFormulaRefused;
    }
    try {
        const FormulaProgram program(formula, parameters.values);
        std::string out;
        for (double x : xs) {
            char status = 'n';
            const double value = program.Evaluate(x, status);
            char line[40];
            if (status == 'n')
                std::snprintf(line, sizeof line, "n %.17g\n", value);
            else
                std::snprintf(line, sizeof line, "%c\n", status);
            out += line;
        }
        std::fputs(out.c_str(), stdout);
    } catch (const CommandError &error) {
        std::fprintf(stderr, "%s.\n", error.what());
        return kExitError;
    }
    return kExitOk;
}

} // namespace

std::optional<std::string> FormulaRefusal(const std::string &formula) {
    const std::vector<std::size_t> offsets = CharacterOffsets(formula);
    const int length = static_cast<int>(offsets.size()) - 1;
    if (length > kFormulaMaxLength)
        return "позиция " + std::to_string(kFormulaMaxLength + 1) + ": формула длиннее " +
               std::to_string(kFormulaMaxLength) + " символов (в ней " + std::to_string(length) +
               ")";
    const std::optional<FormulaFault> fault = FindFormulaFault(formula);
    if (!fault)
        return std::nullopt;
    std::string reason = fault->reason;
    if (fault->kind == FaultKind::Number) {
        // The conversion's own message names the run, as the window's error report does.
        const std::size_t first =
            static_cast<std::size_t>(std::clamp(fault->position - 1, 0, length));
        const std::size_t last =
            static_cast<std::size_t>(std::clamp(fault->position - 1 + fault->length, 0, length));
        reason =
            ConversionError(formula.substr(offsets[first], offsets[last] - offsets[first])).what();
    }
    return "позиция " + std::to_string(fault->position) + ": " + reason;
}

int CheckCommand(const std::vector<std::string> &arguments) {
    const EngineArguments args = ReadEngineArguments("check", arguments);
    if (args.values.size() > 1)
        throw UsageError("check: лишний аргумент «" + args.values[1] + "» после формулы");
    const std::string &formula = args.values[0];
    if (args.raw)
        return RawCheck(formula);
    if (const auto refusal = FormulaRefusal(formula)) {
        std::puts("f");
        std::fflush(stdout);
        std::fprintf(stderr, "%s\n", refusal->c_str());
        return kExitFormulaRefused;
    }
    std::puts("n");
    if (const auto hint = FindFormulaHint(formula)) {
        std::fflush(stdout);
        std::fprintf(stderr, "позиция %d: замечание: %s\n", hint->position, hint->text.c_str());
    }
    return kExitOk;
}

int EvalCommand(const std::vector<std::string> &arguments) {
    const EngineArguments args = ReadEngineArguments("eval", arguments);
    if (args.values.size() < 2)
        throw UsageError("eval: не задано ни одной точки X");
    std::vector<double> xs;
    for (std::size_t i = 1; i < args.values.size(); ++i) {
        const auto x = ParseReal(args.values[i]);
        if (!x)
            throw UsageError("X " + args.values[i] + ": " + kRealWhy);
        xs.push_back(*x);
    }
    return args.raw ? RawEval(args.values[0], xs)
                    : AcceptedEval(args.values[0], xs, args.parameters);
}

} // namespace kurvanto
