// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What a build run draws on in a test: a plot state, a canvas and a host that records.
#include <QImage>
#include <string>

#include "buildgraph.h"
#include "canvas.h"
#include "plotstate.h"
#include "recordinghost.h"

namespace kurvanto::testing {

struct BuildScene {
    void Build(const std::string &formula) { BuildGraph(state, canvas, formula, host); }
    QRgb At(int x, int y) const { return canvas.image().pixel(x, y); }

    PlotState state;
    Canvas canvas;
    RecordingHost host;
};

} // namespace kurvanto::testing
