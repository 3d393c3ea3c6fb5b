// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The view on the field: zooming and moving the ranges XMin..YMax. Pure arithmetic on the
// plot state; drawing the field again on the new ranges is the caller's.
#include "plotstate.h"

namespace kurvanto {

// The largest magnitude a range end may have: the properties dialog's bounds.
constexpr double kViewLimit = 10000;

// The four ends of the view.
struct ViewRanges {
    double xMin = 0, xMax = 0, yMin = 0, yMax = 0;
    bool operator==(const ViewRanges &other) const {
        return xMin == other.xMin && xMax == other.xMax && yMin == other.yMin && yMax == other.yMax;
    }
};

ViewRanges CurrentView(const PlotState &state);

// Stores the ranges and the scales the build and the read-out use with them (units per pixel
// as the build computes them).
void ApplyView(PlotState &state, const ViewRanges &view);

// True when a build can sample these ranges: each end within kViewLimit, each range positive,
// and one sampling step (and one pixel row) still moves the value at both of its ends.
bool ViewUsable(const PlotState &state, const ViewRanges &view);

// Zooms by `factor` (> 1 in, < 1 out) about the picture pixel (pixelX, pixelY): the point of
// the graph under that pixel stays under it. False, and nothing changes, when the zoomed view
// would not be usable or the factor is not a positive finite number.
bool ZoomAbout(PlotState &state, double pixelX, double pixelY, double factor);

// Zooms about the field's centre.
bool ZoomAtCentre(PlotState &state, double factor);

// Moves the picture's content by (dxPixels, dyPixels): right and down are positive, so the
// ranges move the other way (a drag to the right lowers both x ends). A move that would take
// an end beyond kViewLimit is shortened to reach the limit. False when nothing moved.
bool Pan(PlotState &state, double dxPixels, double dyPixels);

// The view moved from `from` by whole pixels, at `from`'s scale; the dragging's arithmetic,
// taken from where the drag started so that many small moves add up exactly.
ViewRanges Panned(const PlotState &state, const ViewRanges &from, double dxPixels, double dyPixels);

} // namespace kurvanto
