#pragma once
// The build-graph run: interval, scale, axes, check, trial evaluation, starting-point search
// and the drawing pass. The main window's build command and the command-line tool both call
// it, so both draw the same picture.
#include <cstdint>
#include <string>

#include "canvas.h"
#include "plotstate.h"

namespace kurvanto {

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
};

// Thrown by BuildGraph when the host asked to stop; what was drawn before stays.
struct BuildCancelled {};

// Runs one build of the formula (UTF-8, as typed) onto the canvas. Raises InvalidOperation
// for an empty range or a start row beyond the 32-bit range, and ConversionError for a
// malformed number; what was stored or drawn before stays.
void BuildGraph(PlotState &state, Canvas &canvas, const std::string &formula, BuildGraphHost &host);

} // namespace kurvanto
