// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The plot command's worksheets: --sheet draws a worksheet first (the options given with it
// override its own wherever they stand, formulas add builds after its own), --save-sheet
// writes the worksheet of what was drawn.
#include <optional>
#include <string>
#include <vector>

#include "plotcommand.h"

namespace kurvanto {

// --sheet FILE and --save-sheet FILE.
std::vector<PlotOption> SheetOptions();

// The file of the last --sheet among the arguments (each option's values skipped, nothing
// after "--"); nullopt when there is none.
std::optional<std::string> SheetArgument(const std::vector<std::string> &args);

// The job starts from the worksheet's size, ranges, precision, colours and options.
void StartFromSheet(PlotJob &job);

// Opens the job's worksheet (with the job's settings) on the field, or sets the field's home
// ranges to the job's ranges when there is none. The message when it cannot be drawn.
std::optional<std::string> OpenJobSheet(const PlotJob &job, Field &field);

// Writes --save-sheet's file; the message when it fails.
std::optional<std::string> SaveJobSheet(const PlotJob &job, const Field &field);

} // namespace kurvanto
