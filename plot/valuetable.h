// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Values of the field's curves read from the engine rather than from the picture: a table of
// values at x = from + i * step, the value of one build at one x, and the y range that frames
// the visible curves. The window and the tool both use these, so that their tables agree.
#include <optional>
#include <string>
#include <vector>

#include "displaylist.h"
#include "parameters.h"
#include "plotstate.h"
#include "view.h"

namespace kurvanto {

constexpr int kTableMaxRows = 10000;

struct ValueTable {
    std::vector<std::string> formulas; // one column each, after the column of x
    std::vector<double> xs;
    std::vector<std::vector<std::optional<double>>> rows; // rows[i][column]; none: no value
};

// The value of the formula at x, nothing where the engine finds none. The formula is one the
// program accepts; a malformed number raises the engine's ConversionError.
std::optional<double> FormulaValue(const std::string &formula, double x,
                                   const ParameterValues &values = {});

// The table of the formulas at x = from + i * step for i = 0 .. count - 1, each x computed
// from i (not added up row by row). count is limited to 0 .. kTableMaxRows.
// The parameters of formula i read as values[i] (when given; else all 1).
ValueTable ComputeValueTable(const std::vector<std::string> &formulas, double from, double step,
                             int count, const std::vector<ParameterValues> &values = {});

// The indices in the list of the builds that are shown, in the list's order.
std::vector<std::size_t> VisibleBuilds(const DisplayList &list);
std::vector<std::string> VisibleFormulas(const DisplayList &list);
// What the parameters of each of them read as.
std::vector<ParameterValues> VisibleParameterValues(const DisplayList &list);

// The value of the build (an index into the list) at x as its curve is drawn: nothing outside
// the interval a build on an interval keeps.
std::optional<double> BuildValue(const DisplayList &list, std::size_t build, double x);

// A number as the tool prints it: 17 significant digits with a point ("0.70710678118654757").
std::string TableNumber(double value);

// The table as text: the header (x and the formulas), then a row for each x; cells apart by
// `separator`, `none` where there is no value, numbers as TableNumber writes them. With
// `quote` a cell holding the separator, a quote or a line break is put in quotes, its quotes
// doubled (as comma-separated files want).
std::string TableText(const ValueTable &table, char separator, const std::string &none, bool quote);

// The y range of the visible builds over the state's x range: the values at every pixel
// column, less the highest and lowest 1 %, widened by 2.5 % of their span at each end.
// Nothing when no build has a value there or the range would not be usable.
std::optional<ViewRanges> FittedYRange(const PlotState &state, const DisplayList &list);

} // namespace kurvanto
