// SPDX-License-Identifier: GPL-3.0-or-later
#include "fieldpoints.h"

#include <algorithm>

namespace kurvanto {

FieldBuilds VisibleBuilds(const DisplayList &list, const PlotState &state) {
    FieldBuilds out;
    // The samples' step of a build: units per pixel divided by its precision, as it is drawn.
    const long double unitsPerPixel =
        (static_cast<long double>(state.XMax) - state.XMin) / (state.FieldWidth + 1.0L);
    for (std::size_t i = 0; i < list.items().size(); ++i) {
        const FieldItem &item = list.items()[i];
        if (item.kind != FieldItem::Build || item.hidden)
            continue;
        PointBuild build;
        build.formula = item.formula;
        build.from = item.interval ? item.intervalFrom : state.XMin;
        build.to = item.interval ? item.intervalTo : state.XMax;
        build.step = static_cast<double>(unitsPerPixel / std::max(item.precision, 1));
        if (!FindParameters(item.formula).empty())
            build.parameters = list.valuesOf(item);
        out.builds.push_back(build);
        out.items.push_back(i);
        out.colors.push_back(item.graphColor);
    }
    return out;
}

PointsFound FieldPoints(const DisplayList &list, const PlotState &state, unsigned threads) {
    const double range = static_cast<double>(static_cast<long double>(state.XMax) - state.XMin);
    return FindPoints(VisibleBuilds(list, state).builds, range, threads);
}

std::vector<PointMark> FieldPointMarks(const DisplayList &list, const PlotState &state) {
    const FieldBuilds visible = VisibleBuilds(list, state);
    const double range = static_cast<double>(static_cast<long double>(state.XMax) - state.XMin);
    std::vector<PointMark> marks;
    for (const PointOfInterest &p : FindPoints(visible.builds, range).points) {
        PointMark mark;
        mark.x = p.x;
        mark.y = p.y;
        mark.color = visible.colors[static_cast<std::size_t>(p.first)];
        mark.filled = p.kind == PointOfInterest::Root || p.kind == PointOfInterest::Cross;
        marks.push_back(mark);
    }
    return marks;
}

} // namespace kurvanto
