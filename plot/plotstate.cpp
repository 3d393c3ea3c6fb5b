// SPDX-License-Identifier: GPL-3.0-or-later
#include "plotstate.h"

namespace kurvanto {

void SetStartValues(PlotState &state, std::int32_t panelWidth, std::int32_t panelHeight) {
    state.AxesColor = 0;
    state.GraphColor = 0;
    state.BackgroundColor = kButtonFaceColor;
    state.Precision = 1;
    state.FieldWidth = state.DialogWidth = panelWidth;
    state.FieldHeight = state.DialogHeight = panelHeight;
    state.XMin = -10;
    state.XMax = 10;
    state.YMin = -10;
    state.YMax = 10;
    state.DialogXMin = -10;
    state.DialogYMin = -10;
    state.DialogXMax = 10;
    state.DialogYMax = 10;
    state.ClearPending = 1;
    state.IntervalFrom = -10;
    state.IntervalTo = 10;
}

void SetAnnotationKindDefaults(PlotState &state) {
    state.TickMode = 1;
    state.CornerMode = 0;
    state.LabelMode = 0;
}

} // namespace kurvanto
