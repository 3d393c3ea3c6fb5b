// SPDX-License-Identifier: GPL-3.0-or-later
#include "pointscommand.h"

#include <algorithm>
#include <cstdio>
#include <exception>

#include "cliargs.h"
#include "enginecommands.h"
#include "field.h"
#include "fieldpoints.h"
#include "plotcommand.h"
#include "sheetoptions.h"

namespace kurvanto {

namespace {

// The options of plot that shape the field; the others draw nothing points can see.
const char *const kFieldOptions[] = {"--width", "--height", "--xmin",      "--xmax",
                                     "--ymin",  "--ymax",   "--precision", "--interval",
                                     "--also",  "--sheet",  "--param"};

void RefuseOtherOptions(const std::vector<std::string> &args) {
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--") {
            ++i;
            continue;
        }
        if (!IsOptionArgument(args[i]))
            continue;
        if (std::find(std::begin(kFieldOptions), std::end(kFieldOptions), args[i]) ==
            std::end(kFieldOptions))
            throw UnknownOption(args[i]);
        for (const PlotOption &option : PlotOptions())
            if (option.name == args[i])
                i += static_cast<std::size_t>(option.valueCount);
    }
}

// The field's window for points: the interval comes from --interval, nothing is shown.
class PointsHost : public BuildGraphHost {
  public:
    explicit PointsHost(PlotJob &job) : job_(job) {}
    void askInterval() override {
        job_.state.IntervalFrom = job_.intervalFrom;
        job_.state.IntervalTo = job_.intervalTo;
    }
    void setErrorLabelVisible(bool) override {}
    void showReadoutLabels() override {}

  private:
    PlotJob &job_;
};

const char *KindName(PointOfInterest::Kind kind) {
    switch (kind) {
    case PointOfInterest::Root:
        return "root";
    case PointOfInterest::Minimum:
        return "min";
    case PointOfInterest::Maximum:
        return "max";
    case PointOfInterest::Cross:
        break;
    }
    return "cross";
}

// The field with every formula built on it, as plot draws it; the message when it cannot be.
std::optional<std::string> BuildField(PlotJob &job, Field &field) {
    if (auto fault = OpenJobSheet(job, field))
        return fault;
    ApplyGivenParameters(job, field);
    for (const std::string &formula : JobFormulas(job))
        if (!field.build(formula))
            return "Ошибка в функции !!! (" + formula + ")";
    return std::nullopt;
}

int PrintPoints(const PointsFound &found) {
    std::string out;
    for (const PointOfInterest &p : found.points) {
        char line[128];
        if (p.kind == PointOfInterest::Cross)
            std::snprintf(line, sizeof line, "cross %d %d %.17g %.17g\n", p.first + 1, p.second + 1,
                          p.x, p.y);
        else
            std::snprintf(line, sizeof line, "%s %d %.17g %.17g\n", KindName(p.kind), p.first + 1,
                          p.x, p.y);
        out += line;
    }
    std::fputs(out.c_str(), stdout);
    std::fflush(stdout);
    for (int i : found.limited)
        std::fprintf(stderr, "limit %d %zu\n", i + 1, kMaxPointsPerBuild);
    return kExitOk;
}

} // namespace

int PointsCommand(const std::vector<std::string> &args) {
    RefuseOtherOptions(args);
    PlotJob job;
    if (!ReadJobSheet(args, job))
        return kExitFormulaRefused;
    std::vector<std::string> plotArgs = args;
    plotArgs.insert(plotArgs.end(), {"-o", "-"}); // plot's reading wants a picture to write
    ParsePlotArguments(plotArgs, job);
    for (const std::string &formula : JobFormulas(job))
        if (const auto refusal = FormulaRefusal(formula)) {
            std::fprintf(stderr, "%s\n", refusal->c_str());
            return kExitFormulaRefused;
        }
    if (const auto missing = MissingPlotParameter(job)) {
        std::fprintf(stderr, "%s\n", missing->c_str());
        return kExitFormulaRefused;
    }
    PointsHost host(job);
    Field field(job.state, host);
    field.canvas().setPixels(false); // the points need no picture
    try {
        if (const auto fault = BuildField(job, field)) {
            std::fprintf(stderr, "%s\n", fault->c_str());
            return kExitFormulaRefused;
        }
        return PrintPoints(FieldPoints(field.displayList(), field.state()));
    } catch (const std::exception &error) {
        std::fprintf(stderr, "%s.\n", error.what());
        return kExitError;
    }
}

} // namespace kurvanto
