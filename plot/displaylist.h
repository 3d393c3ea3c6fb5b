// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What is on the field: every completed build since the last clear and every mark, in the
// order they were made, so that the field can be drawn again on other ranges (zoom and pan)
// and, later, on other painters.
//
// How the window and the tool use it: a build is BuildGraph(state, canvas, formula, host,
// options) and, once it completed (no error shown), recordBuild(state, formula); a mark is
// drawn as before (nasec, ugolok, LabelMouseDown) and recorded with recordTicks, recordCorner,
// recordLabel (at the pixel of the left click) or eraseLabelAt (at LastClickX, LastClickY as
// they were before the right click). With the grid, the numbers or the legend on, the field is
// then drawn with RedrawField, so that it is the same picture however it came about; with them
// all off the build and the marks leave the picture they always left. A clear of the field
// clears the list.
#include <QString>
#include <string>
#include <utility>
#include <vector>

#include "buildgraph.h"
#include "canvas.h"
#include "fieldextras.h"
#include "plotstate.h"
#include "real48.h"

namespace kurvanto {

// FieldOptions is declared with the build run (buildgraph.h).

struct FieldItem {
    enum Kind { Build, Tick, Corner, Label };
    Kind kind = Build;
    std::string formula; // Build: its text; Corner: the formula the corner was taken on
    TColor graphColor = 0, axesColor = 0;
    std::int32_t precision = 1;
    bool interval = false; // Build: made on an interval, which it keeps
    bool hidden = false;   // Build: neither drawn nor in the legend
    double intervalFrom = 0, intervalTo = 0;
    Real48 markX, markY; // Tick: (AnnotationX, AnnotationY); Corner: AnnotationX
    QString text;        // Label
    TColor labelColor = 0;
    double x = 0, y = 0; // Label: the top left corner in graph coordinates
};

class DisplayList {
  public:
    void clear() { items_.clear(); }
    bool empty() const { return items_.empty(); }
    const std::vector<FieldItem> &items() const { return items_; }
    void setItems(std::vector<FieldItem> items) { items_ = std::move(items); }

    // A completed build: the graph colour, precision, interval mode and the ends it was drawn
    // on, and the axes colour, from the state as the build left it.
    void recordBuild(const PlotState &state, const std::string &formula);
    void recordTicks(const PlotState &state);  // at (AnnotationX, AnnotationY)
    void recordCorner(const PlotState &state); // at AnnotationX, on the last build's formula
    // A label placed at the pixel (pixelX, pixelY): LabelText in LabelColor, kept at the graph
    // coordinates of that pixel.
    void recordLabel(const PlotState &state, int pixelX, int pixelY);
    // The right button: the newest label placed at that pixel leaves the list.
    void eraseLabelAt(const PlotState &state, int pixelX, int pixelY);

    // The formulas of the builds, each in its graph colour, once each.
    std::vector<LegendEntry> legend() const;

  private:
    std::vector<FieldItem> items_;
};

// Draws the field again at the state's current ranges: the background, the grid (when on),
// then the builds and marks in the order they were made (each build with its axes and the
// breaks when on), the numbers and the legend (when on). The state's scale follows the ranges;
// the settings the builds borrow (colours, precision, interval, label text) are given back.
// Raises what a build raises (an empty range: InvalidOperation).
void RedrawField(PlotState &state, Canvas &canvas, const DisplayList &list,
                 const FieldOptions &options, BuildGraphHost &host);

} // namespace kurvanto
