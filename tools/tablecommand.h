// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// kurvanto-cli table: the values of formulas at evenly spaced x, as the window's table of
// values has them.
#include <string>
#include <vector>

namespace kurvanto {

// table FORMULA [--also F ...] --from A --step H --count N. Throws UsageError for a malformed
// command line.
int TableCommand(const std::vector<std::string> &args);

} // namespace kurvanto
