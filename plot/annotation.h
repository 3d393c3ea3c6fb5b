// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Annotation of a drawn graph: tick marks, a corner joining a point of the curve to both
// axes, and text labels placed and erased with the mouse.
#include <Qt>
#include <cstdint>

#include "canvas.h"
#include "plotstate.h"

namespace kurvanto {

// Pixel mapping with the scale of the last plot, rounding half to even. Each raises
// InvalidOperation when the position does not fit a 32-bit integer.
std::int32_t MarkColumn(const PlotState &state, double x); // column of x
std::int32_t MarkRow(const PlotState &state, double y);    // row of y
std::int32_t MarkYAxisColumn(const PlotState &state);      // column of x = 0
std::int32_t MarkXAxisRow(const PlotState &state);         // row of y = 0

void nasec(PlotState &state, Canvas &canvas);  // tick marks at (AnnotationX, AnnotationY)
void ugolok(PlotState &state, Canvas &canvas); // corner at AnnotationX
void nadpis(PlotState &state);                 // arms label placement

// After the annotation dialog: runs the chosen kind when it was confirmed.
void ApplyConfirmedAnnotation(PlotState &state, Canvas &canvas);

// A mouse press on the picture at pixel (x, y): places, ends or erases a label.
void LabelMouseDown(PlotState &state, Canvas &canvas, Qt::MouseButton button, int x, int y);

} // namespace kurvanto
