// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Points of interest of formulas in x: roots, local minima and maxima, and the points where
// two formulas cross. Every point is found on the engine itself, from samples at a fixed step
// refined by bisection (roots, crossings) or golden section (extrema).
#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "parameters.h"

namespace kurvanto {

// One formula and the samples it is searched from: x = from + k * step up to `to`.
struct PointBuild {
    std::string formula; // as typed; must be one the program accepts
    double from = 0, to = 0, step = 0;
    std::optional<ParameterValues> parameters; // what its parameters read as, if it has any
};

struct PointOfInterest {
    // In the order points at the same x are listed.
    enum Kind { Root, Minimum, Maximum, Cross };
    Kind kind = Root;
    int first = 0;   // the build's index; Cross: the first of the pair
    int second = -1; // Cross: the second of the pair, always after `first`
    double x = 0, y = 0;
};

struct PointsFound {
    std::vector<PointOfInterest> points; // sorted by x, then kind, then the builds
    std::vector<int> limited;            // builds whose points were cut at the limit
};

// Points a build may have (its own and its crossings with the builds after it).
constexpr std::size_t kMaxPointsPerBuild = 1000;

// The points of the builds and of every pair of them. Builds equal in text, samples and
// range count once (the later one gives nothing). `xRange` is the width of the field's x
// range, whose 1e-10 is the width an extremum is narrowed to. Sampling runs on `threads`
// threads (0: one per core). Raises what the engine raises for a malformed number.
PointsFound FindPoints(const std::vector<PointBuild> &builds, double xRange, unsigned threads = 0);

} // namespace kurvanto
