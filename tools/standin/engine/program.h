#pragma once
// TEMPORARY stand-in for engine/program.h until the compiled formula is merged.
#include <string>

namespace kurvanto {

class FormulaProgram {
  public:
    explicit FormulaProgram(const std::string &utf8) : text_(utf8) {}
    double Evaluate(double x, char &status) const;

  private:
    std::string text_;
};

} // namespace kurvanto
