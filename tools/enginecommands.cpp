#include "enginecommands.h"

#include <cstdio>

#include "cliargs.h"
#include "errors.h"
#include "formula.h"

namespace kurvanto {

int RunCheck(const std::string &formula) {
    SetFormulaText(formula);
    FormulaStatus = 'n';
    CheckFormula();
    std::printf("%c\n", FormulaStatus);
    return kExitOk;
}

int RunEval(const std::string &formula, const std::vector<double> &xs) {
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

} // namespace kurvanto
