// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A formula compiled once into the steps of its reading, for evaluating at many x.
#include <memory>
#include <string>

#include "parameters.h"
#include "quickpass.h"

namespace kurvanto {

struct CompiledFormula;

// A formula compiled once: the reading's steps in order, each with its failure effect.
// Holds no global state; Evaluate is const and may run on many threads at once.
class FormulaProgram {
  public:
    FormulaProgram(); // the empty text
    // Held as SetFormulaText holds it (80 characters at most, non-ASCII as one byte outside
    // the alphabet).
    explicit FormulaProgram(const std::string &utf8);
    // The same with its parameters read as the values given.
    FormulaProgram(const std::string &utf8, const ParameterValues &parameters);

    // f(x). A failure stores 'f' or 'm' into status (the last failure wins; otherwise status
    // is left as it is), exactly as EvaluateFormula does with FormulaStatus; raises
    // ConversionError at the same point.
    double Evaluate(double x, char &status) const;

    // The quick pass at x (quickpass.h): the status and where Evaluate's value lies, when the
    // double arithmetic can tell them; never throws.
    QuickValue EvaluateQuick(double x) const;
    // The same over every x from low to high at once.
    QuickValue EvaluateQuick(double low, double high) const;

    // The text as held (after the 80-character cut): one byte per character, each character
    // outside ASCII as kNonAsciiChar, as in FormulaText.
    const std::string &text() const;

  private:
    std::shared_ptr<const CompiledFormula> compiled_;
    friend const CompiledFormula &CompiledOf(const FormulaProgram &program);
};

} // namespace kurvanto
