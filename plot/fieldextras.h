// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the field shows besides builds and marks: the grid, the numbers on the axes and the
// legend of the formulas. Each draws at the state's current ranges and scale.
#include <QFont>
#include <QString>
#include <vector>

#include "canvas.h"
#include "plotstate.h"

namespace kurvanto {

// The grid's step for a range drawn at `unitsPerPixel`: the smallest 1, 2 or 5 x 10^k that
// puts lines at least kGridMinSpacing pixels apart (so 50 to 125 pixels); 0 when the scale
// has no usable value.
constexpr double kGridMinSpacing = 50;
double GridStep(double unitsPerPixel);

// The multiples of `step` inside [low, high], at most `limit` of them, in rising order.
std::vector<double> GridValues(double low, double high, double step, int limit);

// A grid value as the numbers on the axes show it: as many decimals as the step needs, the
// decimal comma, no "-0".
QString GridNumber(double value, double step);

// The colour of the grid lines: the background with a little of the axes colour.
TColor GridColor(const PlotState &state);

// The font of the numbers and the legend: the one the annotation's labels are drawn in.
QFont FieldFont();

void DrawGrid(const PlotState &state, Canvas &canvas);
void DrawNumbers(const PlotState &state, Canvas &canvas);

// One line of the legend: a formula and its graph colour.
struct LegendEntry {
    QString text;
    TColor color = 0;
};

// The legend box in the corner where the fewest pixels of the entries' colours lie under it
// (top right, top left, bottom right, bottom left on a tie). Nothing for no entries.
void DrawLegend(const PlotState &state, Canvas &canvas, const std::vector<LegendEntry> &entries);

} // namespace kurvanto
