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
#include <array>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "buildgraph.h"
#include "canvas.h"
#include "fieldextras.h"
#include "parameters.h"
#include "plotstate.h"
#include "real48.h"

namespace kurvanto {

// FieldOptions is declared with the build run (buildgraph.h).

// The range a parameter's slider moves over, and its step.
struct ParameterRange {
    double min = -10, max = 10, step = 0.1;
};
using ParameterRanges = std::array<ParameterRange, kParameterCount>;

// The colour of member i of a family of n: the graph colour for the first, towards white for
// the last (resolved first when it is a system colour).
TColor FamilyColor(TColor graphColor, int i, int n);

// The values of a family: from + i * step up to `to`, the end included within half a step.
// Empty when the step is not above 0 or `from` is above `to`; nullopt for more than 50.
constexpr std::size_t kMaxFamilyMembers = 50;
std::optional<std::vector<double>> FamilyValues(double from, double to, double step);

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
    // Build: the parameters held at a value of its own (a member of a family), one bit per
    // parameter index; the others follow the list's current values.
    std::uint8_t fixedParameters = 0;
    ParameterValues fixedValues;
};

class DisplayList {
  public:
    void clear() { items_.clear(); }
    bool empty() const { return items_.empty(); }
    const std::vector<FieldItem> &items() const { return items_; }
    void setItems(std::vector<FieldItem> items) { items_ = std::move(items); }

    // The parameters' current values, which every build reads but for those it holds fixed.
    const ParameterValues &parameters() const { return parameters_; }
    void setParameters(const ParameterValues &values) { parameters_ = values; }
    ParameterValues valuesOf(const FieldItem &item) const;

    // A completed build: the graph colour, precision, interval mode and the ends it was drawn
    // on, and the axes colour, from the state as the build left it.
    void recordBuild(const PlotState &state, const std::string &formula,
                     std::uint8_t fixedParameters = 0, const ParameterValues &fixedValues = {});
    void recordTicks(const PlotState &state);  // at (AnnotationX, AnnotationY)
    void recordCorner(const PlotState &state); // at AnnotationX, on the last build's formula
    // A label placed at the pixel (pixelX, pixelY): LabelText in LabelColor, kept at the graph
    // coordinates of that pixel.
    void recordLabel(const PlotState &state, int pixelX, int pixelY);
    // The right button: the newest label placed at that pixel leaves the list.
    void eraseLabelAt(const PlotState &state, int pixelX, int pixelY);

    // The formulas of the builds, each in its graph colour, once each; a build with fixed
    // parameters names their values ("x^2+c, c = -2").
    std::vector<LegendEntry> legend() const;

  private:
    std::vector<FieldItem> items_;
    ParameterValues parameters_;
};

// Draws the field again at the state's current ranges: the background, the grid (when on),
// then the builds and marks in the order they were made (each build with its axes and the
// breaks when on), the numbers and the legend (when on). The state's scale follows the ranges;
// the settings the builds borrow (colours, precision, interval, label text) are given back.
// Raises what a build raises (an empty range: InvalidOperation).
void RedrawField(PlotState &state, Canvas &canvas, const DisplayList &list,
                 const FieldOptions &options, BuildGraphHost &host);

} // namespace kurvanto
