// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The points of interest of what is on a field: its visible builds, each over the x range it
// covers (its interval when it has one), from samples at its own precision.
#include <cstddef>
#include <vector>

#include "displaylist.h"
#include "plotstate.h"
#include "pointmarks.h"
#include "points.h"

namespace kurvanto {

struct FieldBuilds {
    std::vector<PointBuild> builds;
    std::vector<std::size_t> items; // each build's index in the display list
    std::vector<TColor> colors;     // each build's graph colour
};

// The visible builds in the order they were made, at the state's ranges and size.
FieldBuilds VisibleBuilds(const DisplayList &list, const PlotState &state);

// FindPoints over the visible builds; the points' build indices count the visible builds.
PointsFound FieldPoints(const DisplayList &list, const PlotState &state, unsigned threads = 0);

// The rings of the points: roots and crossings filled, extrema open, each in the colour of its
// build (a crossing in the first one's). A PointMarkSource for the field.
std::vector<PointMark> FieldPointMarks(const DisplayList &list, const PlotState &state);

} // namespace kurvanto
