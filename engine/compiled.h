// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The compiled form of a formula, shared by FormulaProgram, the formula buffer's evaluator
// and the acceptance. Immutable once compiled.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "acceptance.h"
#include "arithmetic.h"
#include "parameters.h"

namespace kurvanto {

// One step of a reading, in the order the reading meets it.
enum class Op : std::uint8_t {
    Push,      // value
    PushX,     //
    Fail,      // 'f'
    BadNumber, // the conversion error of the run at start, length of the text
    Negate,
    Binary,  // op of "+-*/^" on the two top values
    BinaryC, // op on the top value and the constant value (a Push folded in)
    BinaryX, // op on the top value and x (a PushX folded in)
    Apply,   // function on the top value; nullptr is a name not in the table ('f')
};

struct ProgramStep {
    Op op;
    char binary = 0;
    std::int32_t start = 0, length = 0;
    double value = 0;
    TableFunction function = nullptr;
    std::int8_t index = -1; // Apply: the function's place in the table (FunctionIndex)
    // BinaryC '^': what a negative base raised to the constant gives: 2 for 1 (below the
    // zero limit), else NegativeBaseSign's sign, 0 for no value.
    std::int8_t sign = 0;
};

// A malformed spot the reading met, in text positions (one byte per character).
struct ReadingFault {
    FaultKind kind;
    std::int32_t start, length;
    std::int32_t beforeStart, beforeLength; // the token in front, -1 when none
};

// A "-" sign whose operand is the base of a power: the sign's position, and where the operand
// and the power end (after their last characters).
struct NegatedBase {
    std::int32_t signStart, baseEnd, end;
};

struct CompiledFormula {
    std::string text; // as held: one byte per character
    std::vector<ProgramStep> steps;
    std::vector<ReadingFault> faults;
    std::vector<NegatedBase> negatedBases; // in the order the reading meets them
    int depth = 0;                         // the most values the stack holds at once
};

// Reads the held text once and writes its steps down; with values, the parameters read as
// them (each a constant of the steps), without, their letters are names as they always were.
std::shared_ptr<const CompiledFormula> CompileFormula(const std::string &held,
                                                      const ParameterValues *parameters = nullptr);

// Carries the steps out at x; a failure stores 'f' or 'm' into status.
double RunFormula(const CompiledFormula &formula, double x, char &status);

// Reads the held text afresh at x, carrying each step out as it is met: the reference the
// compiled form is measured against.
double ReferenceReading(const char *held, double x, char &status,
                        const ParameterValues *parameters = nullptr);

} // namespace kurvanto
