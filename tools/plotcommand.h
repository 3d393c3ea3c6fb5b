// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// kurvanto-cli plot: the options, the build run and the written picture.
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "buildgraph.h"
#include "field.h"
#include "paramoptions.h"
#include "plotstate.h"
#include "worksheet.h"

namespace kurvanto {

// Something done to the field after a completed build (annotation), in command-line order.
using PostBuildAction = std::function<void(Field &field)>;

// A formula drawn over the first one (--also), in its own colour when one was given after it.
struct ExtraGraph {
    std::string formula;
    bool hasColor = false;
    TColor color = 0;
};

struct PlotJob {
    PlotState state;
    std::string formula;
    std::string output; // the name as given, byte for byte; "-" is standard output
    std::string format; // --format as given; empty: the name decides
    bool hasFormula = false;
    // Drawn after the first formula, in order, over it; without a colour of their own in the
    // first formula's colour.
    std::vector<ExtraGraph> also;
    // The interval given with --interval, which stands in for the interval dialog.
    double intervalFrom = 0, intervalTo = 0;
    std::vector<std::string> intervalText;
    std::vector<PostBuildAction> actions;
    // --grid, --numbers, --breaks, --legend.
    FieldOptions options;
    // Text is drawn (labels, numbers, legend): fonts need the application object.
    bool needsFonts = false;
    // --sheet and --save-sheet as given; the worksheet read before the options are.
    std::string sheetPath, saveSheetPath;
    std::optional<Worksheet> sheet;
    // --param values and the --family.
    ParameterArguments parameters;
    std::optional<FamilyArgument> family;
};

// One option of the plot command: its name, how many values follow it, and what it does
// with them; false when a value is malformed, and `why` then says what the value must be.
struct PlotOption {
    std::string name;
    int valueCount;
    std::string synopsis;
    std::string help;
    std::string why;
    std::function<bool(const std::vector<std::string> &values, PlotJob &job)> apply;
};

// The table of plot options, in the order the usage text lists them.
const std::vector<PlotOption> &PlotOptions();

// The largest --precision: with the widest field it bounds one build to ten million samples.
constexpr std::int32_t kMaxPrecision = 1000;

// Reads the arguments after "plot" into a job that starts from the start values with a
// 640 x 440 field; throws UsageError on a malformed command line.
void ParsePlotArguments(const std::vector<std::string> &args, PlotJob &job);

// plot FORMULA -o FILE [options]: reads the arguments, builds and writes the picture;
// returns the exit code, messages on standard error. Throws UsageError.
int PlotCommand(const std::vector<std::string> &args, const char *programName);

// The worksheet of --sheet read into the job; false, its fault printed, when it cannot be.
bool ReadJobSheet(const std::vector<std::string> &args, PlotJob &job);
// The job's formulas: the first one, then those of --also.
std::vector<std::string> JobFormulas(const PlotJob &job);
// The values of --param put on the field, each over the worksheet's.
void ApplyGivenParameters(const PlotJob &job, Field &field);
// The first formula's parameter without a value (the family's gives its own), then the
// others'; nothing when each has one.
std::optional<std::string> MissingPlotParameter(const PlotJob &job);

} // namespace kurvanto
