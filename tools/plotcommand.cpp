// SPDX-License-Identifier: GPL-3.0-or-later
#include "plotcommand.h"

#include <QGuiApplication>
#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <exception>
#include <unistd.h>

#include "buildgraph.h"
#include "cliargs.h"
#include "enginecommands.h"
#include "errors.h"
#include "field.h"
#include "fieldpoints.h"
#include "filereason.h"
#include "outputfile.h"
#include "pictureformat.h"
#include "sheetoptions.h"
#include "vectorfield.h"

namespace kurvanto {

namespace {

// Set by SIGINT; the build asks for it between samples.
volatile std::sig_atomic_t interrupted = 0;

extern "C" void OnInterrupt(int) {
    interrupted = 1;
}

// While it lives, Ctrl+C asks the build to stop instead of ending the process, so that a
// half-written file is never left behind.
class InterruptCatcher {
  public:
    InterruptCatcher() {
        struct sigaction action {};
        action.sa_handler = OnInterrupt;
        sigemptyset(&action.sa_mask);
        sigaction(SIGINT, &action, &previous_);
    }
    ~InterruptCatcher() { release(); }
    // Ctrl+C ends the process again, as before.
    void release() {
        if (caught_)
            sigaction(SIGINT, &previous_, nullptr);
        caught_ = false;
    }
    InterruptCatcher(const InterruptCatcher &) = delete;
    InterruptCatcher &operator=(const InterruptCatcher &) = delete;

  private:
    struct sigaction previous_ {};
    bool caught_ = true;
};

// The picture's window for a run of the tool: the error label becomes the refusal, the
// progress of a long build a line on a terminal's standard error.
class ToolHost : public BuildGraphHost {
  public:
    explicit ToolHost(PlotJob &job)
        : job_(job), terminal_(isatty(STDERR_FILENO) != 0),
          start_(std::chrono::steady_clock::now()) {}
    ~ToolHost() override { eraseProgress(); }
    ToolHost(const ToolHost &) = delete;
    ToolHost &operator=(const ToolHost &) = delete;

    void askInterval() override {
        job_.state.IntervalFrom = job_.intervalFrom;
        job_.state.IntervalTo = job_.intervalTo;
    }
    void setErrorLabelVisible(bool visible) override { refused_ = visible; }
    void showReadoutLabels() override {}
    void sampleProgress(std::int64_t done, std::int64_t total) override {
        if (!terminal_ || total <= 0)
            return;
        if (!shown_ && std::chrono::steady_clock::now() - start_ < std::chrono::seconds(1))
            return;
        const int percent = static_cast<int>(std::clamp<std::int64_t>(done * 100 / total, 0, 100));
        if (percent == percent_)
            return;
        percent_ = percent;
        shown_ = true;
        std::fprintf(stderr, "\rпостроение графика: %3d %%", percent);
        std::fflush(stderr);
    }
    bool cancelRequested() override { return interrupted != 0; }

    bool refused() const { return refused_; }
    // Takes the progress line off the terminal.
    void eraseProgress() {
        if (!shown_)
            return;
        std::fputs("\r                              \r", stderr);
        std::fflush(stderr);
        shown_ = false;
    }

  private:
    PlotJob &job_;
    bool refused_ = false;
    bool terminal_;
    bool shown_ = false;
    int percent_ = -1;
    std::chrono::steady_clock::time_point start_;
};

// Standard error carries the tool's own messages only: the platform's notes and warnings
// (such as a missing runtime folder) are left out, real failures are kept.
void QuietMessages(QtMsgType type, const QMessageLogContext &, const QString &message) {
    if (type == QtCriticalMsg || type == QtFatalMsg)
        std::fprintf(stderr, "%s\n", message.toLocal8Bit().constData());
}

// A system colour (the button face of the default background) as the plain colour it stands
// for, fixed before any application object exists, so that a picture is the same with text
// on it or without.
void ResolveSystemColors(PlotState &state) {
    for (TColor *color :
         {&state.AxesColor, &state.GraphColor, &state.BackgroundColor, &state.LabelColor})
        *color = Canvas::fromQColor(Canvas::toQColor(*color));
}

} // namespace

void ApplyGivenParameters(const PlotJob &job, Field &field) {
    // The values given override the worksheet's, one by one.
    ParameterValues values = field.parameters();
    for (std::size_t i = 0; i < kParameterCount; ++i)
        if (job.parameters.given & (1u << i))
            values.value[i] = job.parameters.values.value[i];
    field.setParameters(values, values != field.parameters()); // a sheet's builds follow
}

namespace {

// Builds the first formula and the others over it, then the marks, on the field.
int DrawField(PlotJob &job, Field &field, ToolHost &host) {
    if (const auto fault = OpenJobSheet(job, field)) {
        host.eraseProgress();
        std::fprintf(stderr, "%s\n", fault->c_str());
        return kExitError;
    }
    ApplyGivenParameters(job, field);
    const bool built =
        !job.hasFormula ||
        (job.family ? field.buildFamily(job.formula, job.family->parameter, job.family->values)
                    : field.build(job.formula));
    host.eraseProgress();
    if (!built) {
        std::fputs("Ошибка в функции !!!\n", stderr);
        return kExitFormulaRefused;
    }
    // The first formula's colour and the state as it left them, for the others.
    const TColor firstColor = job.state.GraphColor;
    for (const ExtraGraph &graph : job.also) {
        job.state.GraphColor = graph.hasColor ? graph.color : firstColor;
        const bool extraBuilt = field.build(graph.formula);
        host.eraseProgress();
        if (!extraBuilt) {
            std::fprintf(stderr, "Ошибка в функции !!! (%s)\n", graph.formula.c_str());
            return kExitFormulaRefused;
        }
    }
    job.state.GraphColor = firstColor;
    for (const PostBuildAction &action : job.actions)
        action(field);
    host.eraseProgress();
    return kExitOk;
}

int BuildAndWrite(PlotJob &job, const OutputTarget &target, InterruptCatcher &catcher) {
    ToolHost host(job);
    Field field(job.state, host);
    field.loadOptions(job.options);
    field.setPointSource(FieldPointMarks);
    VectorRecorder vectors;
    if (IsVectorFormat(target)) {
        field.canvas().setPixels(false); // the vectors need no raster
        field.canvas().setRecorder(&vectors);
    }
    try {
        const int drawn = DrawField(job, field, host);
        if (drawn != kExitOk)
            return drawn;
    } catch (const BuildCancelled &) {
        host.eraseProgress();
        std::fputs("Прервано: рисунок не записан.\n", stderr);
        return kExitInterrupted;
    } catch (const std::exception &error) {
        host.eraseProgress();
        std::fprintf(stderr, "%s.\n", error.what());
        return kExitError;
    }
    if (interrupted != 0) {
        std::fputs("Прервано: рисунок не записан.\n", stderr);
        return kExitInterrupted;
    }
    // Writing a regular file is short and is finished whole. A FIFO may wait for its reader
    // for good: there Ctrl+C must end the process, which replaces nothing.
    if (target.inPlace)
        catcher.release();
    const std::string error =
        IsVectorFormat(target)
            ? WriteVectorOutput(vectors, target, QString::fromStdString(job.formula))
            : WriteOutput(field.canvas().image(), target);
    if (!error.empty() && interrupted != 0) { // Ctrl+C during the write: the old file stays
        std::fputs("Прервано: рисунок не записан.\n", stderr);
        return kExitInterrupted;
    }
    if (!error.empty()) {
        if (target.standardOutput)
            std::fprintf(stderr, "Не удалось записать рисунок в стандартный вывод: %s.\n",
                         error.c_str());
        else
            std::fprintf(stderr, "Не удалось записать файл %s: %s.\n", OneLine(target.name).c_str(),
                         error.c_str());
        return kExitError;
    }
    if (const auto fault = SaveJobSheet(job, field)) {
        std::fprintf(stderr, "%s.\n", fault->c_str());
        return kExitError;
    }
    return kExitOk;
}

} // namespace

std::optional<std::string> MissingPlotParameter(const PlotJob &job) {
    // A worksheet gives every parameter a value.
    const std::uint8_t given = job.sheet ? 0xFF : job.parameters.given;
    if (job.hasFormula) {
        const std::uint8_t first =
            job.family ? static_cast<std::uint8_t>(given | (1u << job.family->parameter)) : given;
        if (auto missing = MissingParameter(job.formula, first))
            return missing;
    }
    for (const ExtraGraph &graph : job.also)
        if (auto missing = MissingParameter(graph.formula, given))
            return missing;
    return std::nullopt;
}

bool ReadJobSheet(const std::vector<std::string> &args, PlotJob &job) {
    if (const auto sheet = SheetArgument(args)) {
        WorksheetRead read = ReadWorksheetFileNative(QByteArray::fromStdString(*sheet));
        if (!read.sheet) {
            std::fprintf(stderr, "%s\n", read.fault.toStdString().c_str());
            return false;
        }
        job.sheet = std::move(read.sheet);
    }
    return true;
}

std::vector<std::string> JobFormulas(const PlotJob &job) {
    std::vector<std::string> formulas;
    if (job.hasFormula)
        formulas.push_back(job.formula);
    for (const ExtraGraph &graph : job.also)
        formulas.push_back(graph.formula);
    return formulas;
}

int PlotCommand(const std::vector<std::string> &args, const char *programName) {
    qInstallMessageHandler(QuietMessages);
    PlotJob job;
    if (!ReadJobSheet(args, job))
        return kExitFormulaRefused;
    ParsePlotArguments(args, job);
    const OutputTarget target = ChooseOutput(job.output, job.format);
    if (const auto refusal = job.hasFormula ? FormulaRefusal(job.formula) : std::nullopt) {
        std::fprintf(stderr, "%s\n", refusal->c_str());
        return kExitFormulaRefused;
    }
    for (const ExtraGraph &graph : job.also)
        if (const auto refusal = FormulaRefusal(graph.formula)) {
            std::fprintf(stderr, "%s\n", refusal->c_str());
            return kExitFormulaRefused;
        }
    if (const auto missing = MissingPlotParameter(job)) {
        std::fprintf(stderr, "%s\n", missing->c_str());
        return kExitFormulaRefused;
    }
    // The vector pictures carry their text and need the fonts for it.
    if (IsVectorFormat(target))
        job.needsFonts = true;
    ResolveSystemColors(job.state);
    InterruptCatcher catcher;
    if (!job.needsFonts)
        return BuildAndWrite(job, target, catcher);
    // Fonts need the application object, which needs no display. Qt hears the program's
    // name only: the arguments, labels and file names among them, are the tool's own.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    static int qtArgc = 1;
    static char *qtArgv[] = {const_cast<char *>(programName), nullptr};
    QGuiApplication app(qtArgc, qtArgv);
    return BuildAndWrite(job, target, catcher);
}

} // namespace kurvanto
