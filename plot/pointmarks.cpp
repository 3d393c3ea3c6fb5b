// SPDX-License-Identifier: GPL-3.0-or-later
#include "pointmarks.h"

#include "rounding.h"

namespace kurvanto {

namespace {

// The pixels of a disc of the radius (filled), or of its rim one pixel wide (open), each
// drawn as a line of one pixel, row by row.
void DrawMark(Canvas &canvas, int cx, int cy, const PointMark &mark) {
    const int r = mark.radius;
    canvas.setPenColor(mark.color);
    for (int dy = -r; dy <= r; ++dy)
        for (int dx = -r; dx <= r; ++dx) {
            const int d = dx * dx + dy * dy;
            if (d > r * r + r || (!mark.filled && d < (r - 1) * (r - 1) + (r - 1)))
                continue;
            canvas.moveTo(cx + dx, cy + dy);
            canvas.lineTo(cx + dx + 1, cy + dy);
        }
}

} // namespace

void DrawPointMarks(const PlotState &state, Canvas &canvas, const std::vector<PointMark> &marks) {
    if (marks.empty() || state.XUnitsPerPixel == 0 || state.YUnitsPerPixel == 0)
        return;
    canvas.ensure(state.FieldWidth, state.FieldHeight + 1);
    canvas.setPenWidth(1);
    canvas.setPenStyle(Qt::SolidLine);
    for (const PointMark &mark : marks) {
        const auto cx =
            TryRound((static_cast<long double>(mark.x) - state.XMin) / state.XUnitsPerPixel);
        const auto cy =
            TryRound((static_cast<long double>(state.YMax) - mark.y) / state.YUnitsPerPixel);
        if (!cx || !cy || *cx < -mark.radius || *cy < -mark.radius ||
            *cx > state.FieldWidth + mark.radius || *cy > state.FieldHeight + 1 + mark.radius)
            continue;
        DrawMark(canvas, *cx, *cy, mark);
    }
}

} // namespace kurvanto
