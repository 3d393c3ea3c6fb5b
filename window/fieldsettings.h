// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The field's options remembered between runs, by the window only: the tool takes its options
// from its command line. Tests run in Qt's test mode, with settings of their own.
#include "buildgraph.h"

namespace kurvanto {

// The keys of the four options.
constexpr const char *kGridKey = "options/grid";
constexpr const char *kNumbersKey = "options/numbers";
constexpr const char *kBreaksKey = "options/breaks";
constexpr const char *kLegendKey = "options/legend";
constexpr const char *kPointsKey = "options/points";

// The options as last saved; all off when none were.
FieldOptions LoadFieldOptions();

// Remembers one option under its key.
void SaveFieldOption(const char *key, bool on);

} // namespace kurvanto
