// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A build run's host that records what the run asked of the window and answers the interval
// question with the values the test set.
#include "buildgraph.h"
#include "plotstate.h"

namespace kurvanto::testing {

class RecordingHost : public BuildGraphHost {
  public:
    void askInterval() override {
        ++intervalRequests;
        if (state != nullptr) {
            state->IntervalFrom = from;
            state->IntervalTo = to;
        }
    }
    void setErrorLabelVisible(bool visible) override { errorLabel = visible; }
    void showReadoutLabels() override { readouts = true; }

    PlotState *state = nullptr; // where the interval's answer goes; none: no answer
    double from = 0, to = 0;
    int intervalRequests = 0;
    bool errorLabel = false;
    bool readouts = false;
};

} // namespace kurvanto::testing
