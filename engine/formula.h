// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The formula engine: the character-pair checker and the evaluator of one formula in x.
//
// The engine works on module-level state: the formula buffer and the one-character status
// below. A caller stores 'n' in FormulaStatus before a check or an evaluation and tests it
// afterwards; the engine itself only ever stores 'f' (the formula is malformed) or 'm' (the
// formula has no value at this x). The plot command also uses 'l' for its own purposes.
// These names work on the module-level buffer and status: one thread calls them, one call at
// a time. A caller that evaluates on several threads compiles a FormulaProgram (program.h).
#include <string>
#include <vector>

#include "parameters.h"

namespace kurvanto {

constexpr int kFormulaMaxLength = 80;  // characters the formula box holds
constexpr int kFormulaBufferSize = 84; // the buffer, terminator included
constexpr char kNonAsciiChar = '\x80'; // what a character outside ASCII becomes

extern char FormulaText[kFormulaBufferSize];
extern char FormulaStatus;

// Copies a UTF-8 text into FormulaText the way the formula box hands it over: at most 80
// characters, each character outside ASCII stored as one byte that belongs to no set of the
// checker and lies outside the scanner's alphabet. The text ends at an embedded zero.
void SetFormulaText(const std::string &utf8);

// Tests every pair of neighbouring characters; may store 'f'. Never fails.
void CheckFormula();

// f(x) for the formula in FormulaText; may store 'f' or 'm', after which the result has no
// meaning. A malformed number run such as "2,,5" raises ConversionError (errors.h).
double EvaluateFormula(double x);

// The text is compiled when it changes and the compiled steps are carried out (on by
// default); off, every call reads the text afresh and computes as it reads. Both give the
// same results; the switch exists for tests.
void SetScanCacheEnabled(bool enabled);

// With values, CheckFormula and EvaluateFormula read the parameters as those values (the
// pair rules of x for their letters); nullptr (at first) reads their letters as names, as
// always. The values are copied.
void SetFormulaParameters(const ParameterValues *parameters);
bool FormulaParametersOn();

// The names of the function table, upper case, in table order.
const std::vector<std::string> &FunctionNames();

} // namespace kurvanto
