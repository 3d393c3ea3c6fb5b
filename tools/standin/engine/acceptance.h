#pragma once
// TEMPORARY stand-in for engine/acceptance.h until the engine's acceptance is merged; used
// only while that header is missing (tools/CMakeLists.txt). Crude: the position of a fault
// the checker does not find is not known here.
#include <optional>
#include <string>

namespace kurvanto {

enum class FaultKind { Empty, Character, Pair, Operand, UnknownName, Closing, Trailing, Number };

struct FormulaFault {
    FaultKind kind;
    int position;
    int length;
    std::string reason;
};

std::optional<FormulaFault> FindFormulaFault(const std::string &utf8);

} // namespace kurvanto
