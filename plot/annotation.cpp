// SPDX-License-Identifier: GPL-3.0-or-later
#include "annotation.h"

#include <algorithm>
#include <cstdint>

#include "formula.h"
#include "rounding.h"

namespace kurvanto {

namespace {

// Every mark is a horizontal or vertical segment, so a coordinate far outside the picture can
// be pulled in to this distance without changing which pixels of the picture it covers; this
// keeps offsets of positions near the 32-bit limit from overflowing and huge coordinates away
// from the rasteriser.
constexpr std::int64_t kFar = 1 << 20;

int Pull(std::int64_t v) {
    return static_cast<int>(std::clamp(v, -kFar, kFar));
}

// A line from (x1, y1) to (x2, y2): covers the first point and not the last.
void Segment(Canvas &canvas, std::int64_t x1, std::int64_t y1, std::int64_t x2, std::int64_t y2) {
    canvas.moveTo(Pull(x1), Pull(y1));
    canvas.lineTo(Pull(x2), Pull(y2));
}

// Creates the picture at the field's size when it is empty, as first drawing on it does.
void EnsurePicture(const PlotState &state, Canvas &canvas) {
    canvas.ensure(state.FieldWidth, state.FieldHeight + 1);
}

void SetPen(Canvas &canvas, TColor color) {
    canvas.setPenColor(color);
    canvas.setPenWidth(1);
    canvas.setPenStyle(Qt::SolidLine);
}

void DrawLabel(const PlotState &state, Canvas &canvas, TColor color, int x, int y) {
    EnsurePicture(state, canvas);
    canvas.setFontColor(color);
    if (!state.LabelText.isEmpty())
        canvas.textOut(x, y, state.LabelText);
}

} // namespace

std::int32_t MarkColumn(const PlotState &state, double x) {
    return Round((static_cast<long double>(x) - state.XMin) / state.XUnitsPerPixel);
}

std::int32_t MarkRow(const PlotState &state, double y) {
    return Round((static_cast<long double>(state.YMax) - y) / state.YUnitsPerPixel);
}

std::int32_t MarkYAxisColumn(const PlotState &state) {
    return Round(-static_cast<long double>(state.XMin) / state.XUnitsPerPixel);
}

std::int32_t MarkXAxisRow(const PlotState &state) {
    return Round(static_cast<long double>(state.YMax) / state.YUnitsPerPixel);
}

void nasec(PlotState &state, Canvas &canvas) {
    // Every position first: one that does not fit ends the command before anything is drawn.
    const std::int64_t x0 = MarkYAxisColumn(state);
    const std::int64_t row = MarkRow(state, state.AnnotationY);
    const std::int64_t column = MarkColumn(state, state.AnnotationX);
    const std::int64_t y0 = MarkXAxisRow(state);

    EnsurePicture(state, canvas);
    SetPen(canvas, state.AxesColor);
    Segment(canvas, x0 - 3, row - 1, x0 + 4, row - 1); // across the y axis, one row above
    Segment(canvas, column, y0 - 4, column, y0 + 3);   // across the x axis
}

void ugolok(PlotState &state, Canvas &canvas) {
    FormulaStatus = 'n';
    const double v = EvaluateFormula(state.AnnotationX);
    if (FormulaStatus != 'n')
        return; // no value at this x, or a malformed formula: there is no point to join

    const std::int64_t column = MarkColumn(state, state.AnnotationX);
    const std::int64_t row = MarkRow(state, v);
    const std::int64_t y0 = MarkXAxisRow(state);
    const std::int64_t x0 = MarkYAxisColumn(state);

    EnsurePicture(state, canvas);
    SetPen(canvas, state.GraphColor);
    Segment(canvas, column, row, column, y0); // down (or up) to the x axis
    Segment(canvas, x0, row, column, row);    // from the y axis to the point
}

void nadpis(PlotState &state) {
    state.LabelArmed = 1;
    state.LabelClickCount = 0;
}

void ApplyConfirmedAnnotation(PlotState &state, Canvas &canvas) {
    if (!state.AnnotationConfirmed)
        return;
    if (state.TickMode)
        nasec(state, canvas);
    else if (state.CornerMode)
        ugolok(state, canvas);
    else if (state.LabelMode)
        nadpis(state);
}

void LabelMouseDown(PlotState &state, Canvas &canvas, Qt::MouseButton button, int x, int y) {
    if (!state.LabelArmed)
        return;
    if (button == Qt::LeftButton) {
        ++state.LabelClickCount;
        if (state.LabelClickCount == 2)
            state.LabelArmed = 0;
        else
            DrawLabel(state, canvas, state.LabelColor, x, y);
    } else if (button == Qt::RightButton || button == Qt::MiddleButton) {
        DrawLabel(state, canvas, state.BackgroundColor, state.LastClickX, state.LastClickY);
        state.LabelClickCount = 0;
    } else {
        return; // the extra buttons of some mice play no part
    }
    state.LastClickX = x;
    state.LastClickY = y;
}

} // namespace kurvanto
