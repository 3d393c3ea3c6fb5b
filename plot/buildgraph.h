// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The build-graph run: interval, scale, axes, check, trial evaluation, starting-point search
// and the drawing pass. The main window's build command and the command-line tool both call
// it, so both draw the same picture.
#include <cstdint>
#include <string>

#include "canvas.h"
#include "parameters.h"
#include "plotstate.h"

namespace kurvanto {

// What the field shows besides the builds and the marks; all off at first start, and off
// the pictures are exactly those of the plain build.
struct FieldOptions {
    bool grid = false;    // light grid lines under the curves
    bool numbers = false; // the grid's step values along the axes
    bool breaks = false;  // no line across a missing sample or from the top beyond the bottom
    bool legend = false;  // the formulas of the builds in a corner box
    bool points = false;  // rings at the builds' roots, extrema and crossings
};

// What the run asks of the window that hosts the picture.
class BuildGraphHost {
  public:
    virtual ~BuildGraphHost() = default;
    // Interval mode: ask for the interval (writes IntervalFrom/IntervalTo when confirmed).
    virtual void askInterval() = 0;
    // The error label "Ошибка в функции !!!".
    virtual void setErrorLabelVisible(bool visible) = 0;
    // The four coordinate read-out labels, shown when a run completes.
    virtual void showReadoutLabels() = 0;
    // Samples of the drawing pass evaluated so far, of the pass's total; called on the run's
    // thread every few thousand samples and once at the end of the pass.
    virtual void sampleProgress(std::int64_t /*done*/, std::int64_t /*total*/) {}
    // Asked as often as sampleProgress: true ends the run with BuildCancelled.
    virtual bool cancelRequested() { return false; }
    // Threads the drawing pass may evaluate its samples on, the calling one included; 0 (the
    // default) means one for each core. A pass of few samples stays on the calling thread.
    virtual unsigned sampleThreads() const { return 0; }
    // Whether the drawing pass may place a sample by the quick pass in double arithmetic
    // (where that leaves no doubt) instead of evaluating it in extended precision. The
    // picture and the stored state are the same either way; off, every sample is evaluated
    // by the extended engine.
    virtual bool quickPass() const { return true; }
    // Samples of the drawing pass placed by the quick pass, of the pass's total; once at the
    // end of a pass that ran to its end.
    virtual void quickShare(std::int64_t /*quick*/, std::int64_t /*total*/) {}
};

// Thrown by BuildGraph when the host asked to stop; what was drawn before stays.
struct BuildCancelled {};

// Runs one build of the formula (UTF-8, as typed) onto the canvas. Raises InvalidOperation
// for an empty range or a start row beyond the 32-bit range, and ConversionError for a
// malformed number; what was stored or drawn before stays.
void BuildGraph(PlotState &state, Canvas &canvas, const std::string &formula, BuildGraphHost &host);

// The same build with the field's options: a build that clears the field draws the grid
// first, breaks are left open, and a completed build draws the numbers on the axes. The
// legend needs every build on the field: the window and the tool draw the field again with
// RedrawField (displaylist.h) after recording a build while the legend is on.
void BuildGraph(PlotState &state, Canvas &canvas, const std::string &formula, BuildGraphHost &host,
                const FieldOptions &options);

// The same build with the formula's parameters read as the values given (nullptr: their
// letters are names, as in the builds above). The formula buffer keeps reading the
// parameters of the last build, for the marks made on it.
void BuildGraph(PlotState &state, Canvas &canvas, const std::string &formula, BuildGraphHost &host,
                const FieldOptions &options, const ParameterValues *parameters);

} // namespace kurvanto
