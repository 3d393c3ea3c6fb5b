// TEMPORARY: see acceptance.h and program.h in this folder.
#include <cstring>

#include "acceptance.h"
#include "errors.h"
#include "formula.h"
#include "program.h"

namespace kurvanto {

std::optional<FormulaFault> FindFormulaFault(const std::string &utf8) {
    SetFormulaText(utf8);
    const std::string text = FormulaText;
    if (text.find_first_not_of(' ') == std::string::npos)
        return FormulaFault{FaultKind::Empty, 1, 0, "формула пуста"};
    for (std::size_t i = 0; i < text.size(); ++i)
        if (text[i] == kNonAsciiChar)
            return FormulaFault{FaultKind::Character, static_cast<int>(i) + 1, 1,
                                "символ не входит в формулу"};
    for (std::size_t n = 2; n <= text.size(); ++n) {
        SetFormulaText(text.substr(0, n));
        FormulaStatus = 'n';
        CheckFormula();
        if (FormulaStatus == 'f')
            return FormulaFault{FaultKind::Pair, static_cast<int>(n) - 1, 2,
                                "недопустимая пара символов"};
    }
    SetFormulaText(text);
    FormulaStatus = 'n';
    try {
        EvaluateFormula(0.5);
    } catch (const ConversionError &error) {
        std::string run = error.what();
        run = run.substr(1, run.find('\'', 1) - 1);
        const std::size_t at = text.find(run);
        return FormulaFault{FaultKind::Number, static_cast<int>(at) + 1,
                            static_cast<int>(run.size()), "неверное число «" + run + "»"};
    }
    if (FormulaStatus == 'f')
        return FormulaFault{FaultKind::Operand, 1, static_cast<int>(text.size()),
                            "формула составлена неверно"};
    return std::nullopt;
}

double FormulaProgram::Evaluate(double x, char &status) const {
    SetFormulaText(text_);
    FormulaStatus = 'n';
    const double value = EvaluateFormula(x);
    status = FormulaStatus;
    return value;
}

} // namespace kurvanto
