// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// kurvanto-cli points: the roots, extrema and crossings of the formulas on the field that
// plot would draw, one a line.
#include <string>
#include <vector>

namespace kurvanto {

// points FORMULA [--also F ...] [field options]; returns the exit code. Throws UsageError
// for a malformed command line.
int PointsCommand(const std::vector<std::string> &args);

} // namespace kurvanto
