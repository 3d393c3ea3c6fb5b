// SPDX-License-Identifier: GPL-3.0-or-later
#include "view.h"

#include <algorithm>
#include <cmath>

namespace kurvanto {

namespace {

// Units per pixel as the build computes them: the range over the field's pixels plus one.
long double XUnits(const PlotState &state, const ViewRanges &view) {
    return (static_cast<long double>(view.xMax) - view.xMin) / (state.FieldWidth + 1.0L);
}

long double YUnits(const PlotState &state, const ViewRanges &view) {
    return (static_cast<long double>(view.yMax) - view.yMin) / (state.FieldHeight + 1.0L);
}

// Whether adding `step` to `value` gives another double, as the sampling loop adds it.
bool Moves(double value, long double step) {
    const double moved = static_cast<long double>(value) + step;
    return moved != value;
}

bool WithinLimit(double value) {
    return std::isfinite(value) && std::fabs(value) <= kViewLimit;
}

} // namespace

ViewRanges CurrentView(const PlotState &state) {
    return {state.XMin, state.XMax, state.YMin, state.YMax};
}

void ApplyView(PlotState &state, const ViewRanges &view) {
    state.XMin = view.xMin;
    state.XMax = view.xMax;
    state.YMin = view.yMin;
    state.YMax = view.yMax;
    state.XUnitsPerPixel = static_cast<double>(XUnits(state, view));
    state.ReadoutXUnitsPerPixel = state.XUnitsPerPixel;
    state.YUnitsPerPixel = static_cast<double>(YUnits(state, view));
    state.ReadoutYUnitsPerPixel = state.YUnitsPerPixel;
}

bool ViewUsable(const PlotState &state, const ViewRanges &view) {
    for (double end : {view.xMin, view.xMax, view.yMin, view.yMax})
        if (!WithinLimit(end))
            return false;
    if (!(view.xMax > view.xMin) || !(view.yMax > view.yMin))
        return false;
    const long double xStep = XUnits(state, view) / std::max(1, state.Precision);
    const long double yStep = YUnits(state, view);
    return Moves(view.xMin, xStep) && Moves(view.xMax, -xStep) && Moves(view.yMin, yStep) &&
           Moves(view.yMax, -yStep);
}

bool ZoomAbout(PlotState &state, double pixelX, double pixelY, double factor) {
    if (!std::isfinite(factor) || factor <= 0 || !std::isfinite(pixelX) || !std::isfinite(pixelY))
        return false;
    const ViewRanges old = CurrentView(state);
    const long double xUnits = XUnits(state, old), yUnits = YUnits(state, old);
    const long double x = old.xMin + pixelX * xUnits; // the graph point under the pixel
    const long double y = old.yMax - pixelY * yUnits;
    const long double newX = xUnits / factor, newY = yUnits / factor;
    ViewRanges zoomed;
    zoomed.xMin = static_cast<double>(x - pixelX * newX);
    zoomed.xMax = static_cast<double>(zoomed.xMin + newX * (state.FieldWidth + 1.0L));
    zoomed.yMax = static_cast<double>(y + pixelY * newY);
    zoomed.yMin = static_cast<double>(zoomed.yMax - newY * (state.FieldHeight + 1.0L));
    if (!ViewUsable(state, zoomed))
        return false;
    ApplyView(state, zoomed);
    return true;
}

bool ZoomAtCentre(PlotState &state, double factor) {
    return ZoomAbout(state, (state.FieldWidth + 1.0) / 2, (state.FieldHeight + 1.0) / 2, factor);
}

ViewRanges Panned(const PlotState &state, const ViewRanges &from, double dxPixels,
                  double dyPixels) {
    if (!std::isfinite(dxPixels) || !std::isfinite(dyPixels))
        return from;
    // Held at the limit: the ends stay where the properties dialog could put them. A view
    // already beyond it (not one this file makes) does not move.
    const long double xLow = -kViewLimit - static_cast<long double>(from.xMin);
    const long double xHigh = kViewLimit - static_cast<long double>(from.xMax);
    const long double yLow = -kViewLimit - static_cast<long double>(from.yMin);
    const long double yHigh = kViewLimit - static_cast<long double>(from.yMax);
    if (!(xLow <= xHigh) || !(yLow <= yHigh))
        return from;
    const long double dx = std::clamp<long double>(-dxPixels * XUnits(state, from), xLow, xHigh);
    const long double dy = std::clamp<long double>(dyPixels * YUnits(state, from), yLow, yHigh);
    if (dx == 0 && dy == 0)
        return from;
    return {static_cast<double>(from.xMin + dx), static_cast<double>(from.xMax + dx),
            static_cast<double>(from.yMin + dy), static_cast<double>(from.yMax + dy)};
}

bool Pan(PlotState &state, double dxPixels, double dyPixels) {
    const ViewRanges old = CurrentView(state);
    const ViewRanges moved = Panned(state, old, dxPixels, dyPixels);
    if (moved == old || !ViewUsable(state, moved))
        return false;
    ApplyView(state, moved);
    return true;
}

} // namespace kurvanto
