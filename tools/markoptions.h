// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The plot command's marks: tick marks, corners and text labels drawn on the picture after
// the build, in the order the command line gives them, as the annotation command draws them.
#include <vector>

#include "plotcommand.h"

namespace kurvanto {

// --tick X Y, --corner X, --label X Y TEXT and --label-color RRGGBB.
std::vector<PlotOption> MarkOptions();

} // namespace kurvanto
