// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// kurvanto-cli check and eval, and the refusal of a formula the program does not accept,
// which plot shares.
#include <optional>
#include <string>
#include <vector>

namespace kurvanto {

// Why the program would not accept the formula, as "позиция P: причина" (P counts characters
// as typed, from 1); nothing when it would. A text longer than the formula box holds is
// refused here rather than cut; a malformed number gives the conversion's own message.
std::optional<std::string> FormulaRefusal(const std::string &formula);

// check [--raw] FORMULA. Throws UsageError for a malformed command line.
int CheckCommand(const std::vector<std::string> &args);

// eval [--raw] FORMULA X [X ...]. Throws UsageError for a malformed command line.
int EvalCommand(const std::vector<std::string> &args);

} // namespace kurvanto
