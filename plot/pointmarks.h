// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Rings on the field at points of interest, drawn over the curves: filled for a root or a
// crossing, open for an extremum, each in its build's colour.
#include <functional>
#include <vector>

#include "canvas.h"
#include "plotstate.h"

namespace kurvanto {

class DisplayList;

struct PointMark {
    double x = 0, y = 0;
    TColor color = 0;
    bool filled = false;
    int radius = 4; // pixels
};

// Gives the marks of what is on the field, at the state's ranges.
using PointMarkSource =
    std::function<std::vector<PointMark>(const DisplayList &list, const PlotState &state)>;

// The radius of the ring around the point chosen in the window's list.
constexpr int kChosenMarkRadius = 7;

// Draws the rings at the state's scale with lines, so that pictures and vectors get the same.
void DrawPointMarks(const PlotState &state, Canvas &canvas, const std::vector<PointMark> &marks);

} // namespace kurvanto
