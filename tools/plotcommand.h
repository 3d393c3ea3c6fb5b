#pragma once
// kurvanto-cli plot: the options, the build run and the written picture.
#include <functional>
#include <string>
#include <vector>

#include "canvas.h"
#include "plotstate.h"

namespace kurvanto {

// Something done to the picture after a completed build (annotation), in command-line order.
using PostBuildAction = std::function<void(PlotState &state, Canvas &canvas)>;

struct PlotJob {
    PlotState state;
    std::string formula;
    std::string output;
    bool hasFormula = false;
    // The interval given with --interval, which stands in for the interval dialog.
    double intervalFrom = 0, intervalTo = 0;
    std::vector<PostBuildAction> actions;
};

// One option of the plot command: its name, how many values follow it, and what it does
// with them; false when a value is malformed (a usage error).
struct PlotOption {
    std::string name;
    int valueCount;
    std::string synopsis;
    std::string help;
    std::function<bool(const std::vector<std::string> &values, PlotJob &job)> apply;
};

// The table of plot options, in the order the usage text lists them.
const std::vector<PlotOption> &PlotOptions();

// Reads the arguments after "plot" into a job that starts from the start values with a
// 640 x 440 field; false on a malformed command line.
bool ParsePlotArguments(const std::vector<std::string> &args, PlotJob &job);

// Runs the build and writes the picture; returns the exit code, messages on standard error.
int RunPlot(PlotJob &job);

} // namespace kurvanto
