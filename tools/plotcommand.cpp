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
#include "markoptions.h"
#include "outputfile.h"
#include "pictureformat.h"
#include "sheetoptions.h"
#include "vectorfield.h"

namespace kurvanto {

namespace {

constexpr std::int32_t kMaxFieldSide = 10000; // larger pictures are refused, not attempted
const char *const kRealWhy = "нужно конечное число с точкой, например -3.5 или 1e-3";
const char *const kColorWhy = "нужен цвет из шести шестнадцатеричных цифр RRGGBB, например ff0000";

using Values = std::vector<std::string>;

PlotOption RealOption(const std::string &name, double PlotState::*field, const std::string &help) {
    return {name, 1, name + " R", help, kRealWhy, [field](const Values &v, PlotJob &job) {
                const auto value = ParseReal(v[0]);
                if (value)
                    job.state.*field = *value;
                return value.has_value();
            }};
}

PlotOption WholeOption(const std::string &name, std::int32_t PlotState::*field, std::int32_t limit,
                       const std::string &what, const std::string &help) {
    return {name,
            1,
            name + " N",
            help,
            what + " от 1 до " + std::to_string(limit),
            [field, limit](const Values &v, PlotJob &job) {
                const auto value = ParseInt(v[0]);
                if (!value || *value < 1 || *value > limit)
                    return false;
                job.state.*field = *value;
                return true;
            }};
}

// An option without a value that turns one of the field's options on.
PlotOption FieldFlag(const std::string &name, bool FieldOptions::*field, bool needsFonts,
                     const std::string &help) {
    return {name, 0, name, help, "", [field, needsFonts](const Values &, PlotJob &job) {
                job.options.*field = true;
                job.needsFonts = job.needsFonts || needsFonts;
                return true;
            }};
}

PlotOption ColorOption(const std::string &name, TColor PlotState::*field, const std::string &help) {
    return {name, 1, name + " RRGGBB", help, kColorWhy, [field](const Values &v, PlotJob &job) {
                const auto value = ParseColor(v[0]);
                if (value)
                    job.state.*field = *value;
                return value.has_value();
            }};
}

std::vector<PlotOption> MakeOptions() {
    std::vector<PlotOption> options = {
        {"-o", 1, "-o ФАЙЛ", "куда записать рисунок (обязателен; - - стандартный вывод)",
         "нужно имя файла или -",
         [](const Values &v, PlotJob &job) {
             job.output = v[0];
             return !v[0].empty();
         }},
        {"--format", 1, "--format " + FormatNamesSynopsis(),
         "формат рисунка, каким бы ни было имя файла (svg и pdf - векторные)",
         "формат должен быть " + FormatNamesText(),
         [](const Values &v, PlotJob &job) {
             job.format = v[0];
             return !v[0].empty();
         }},
        WholeOption("--width", &PlotState::FieldWidth, kMaxFieldSide, "ширина должна быть",
                    "ширина поля, точек, от 1 до 10000 (640)"),
        WholeOption("--height", &PlotState::FieldHeight, kMaxFieldSide, "высота должна быть",
                    "высота поля, точек, от 1 до 10000 (440; рисунок на одну строку выше)"),
        RealOption("--xmin", &PlotState::XMin, "левый край по x (-10)"),
        RealOption("--xmax", &PlotState::XMax, "правый край по x (10)"),
        RealOption("--ymin", &PlotState::YMin, "нижний край по y (-10)"),
        RealOption("--ymax", &PlotState::YMax, "верхний край по y (10)"),
        WholeOption("--precision", &PlotState::Precision, kMaxPrecision,
                    "точек на столбец должно быть",
                    "точек вычисления на столбец, от 1 до 1000 (1)"),
        {"--interval", 2, "--interval ОТ ДО",
         "строить только на отрезке [ОТ, ДО] внутри [xmin, xmax]", kRealWhy,
         [](const Values &v, PlotJob &job) {
             const auto from = ParseReal(v[0]), to = ParseReal(v[1]);
             if (!from || !to)
                 return false;
             job.state.IntervalMode = 1;
             job.intervalFrom = *from;
             job.intervalTo = *to;
             job.intervalText = v;
             return true;
         }},
        ColorOption("--axes-color", &PlotState::AxesColor, "цвет осей (000000)"),
        {"--also", 1, "--also ФОРМУЛА",
         "ещё один график на том же поле, поверх прежних; можно несколько раз", "нужна формула",
         [](const Values &v, PlotJob &job) {
             if (v[0].empty())
                 return false;
             job.also.push_back({v[0], false, 0});
             return true;
         }},
        {"--graph-color", 1, "--graph-color RRGGBB",
         "цвет графика (000000); после --also - цвет этого графика", kColorWhy,
         [](const Values &v, PlotJob &job) {
             const auto value = ParseColor(v[0]);
             if (!value)
                 return false;
             if (job.also.empty()) {
                 job.state.GraphColor = *value;
             } else {
                 job.also.back().hasColor = true;
                 job.also.back().color = *value;
             }
             return true;
         }},
        ColorOption("--background", &PlotState::BackgroundColor,
                    "цвет фона (по умолчанию цвет кнопок, efefef)"),
    };
    const std::vector<PlotOption> marks = MarkOptions(); // drawn after the build, in order
    options.insert(options.end(), marks.begin(), marks.end());
    options.push_back(FieldFlag("--grid", &FieldOptions::grid, false, "сетка под графиком"));
    options.push_back(FieldFlag("--numbers", &FieldOptions::numbers, true, "числа на осях"));
    options.push_back(FieldFlag("--breaks", &FieldOptions::breaks, false,
                                "разрывы: без линий через точки без значения и через всё поле"));
    options.push_back(
        FieldFlag("--legend", &FieldOptions::legend, true, "легенда: формула в углу поля"));
    const std::vector<PlotOption> sheet = SheetOptions();
    options.insert(options.end(), sheet.begin(), sheet.end());
    return options;
}

const PlotOption *FindOption(const std::string &name) {
    for (const PlotOption &option : PlotOptions())
        if (option.name == name)
            return &option;
    return nullptr;
}

bool InRange(double v, double a, double b) {
    return v >= std::min(a, b) && v <= std::max(a, b);
}

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

// Builds the first formula and the others over it, then the marks, on the field.
int DrawField(PlotJob &job, Field &field, ToolHost &host) {
    if (const auto fault = OpenJobSheet(job, field)) {
        host.eraseProgress();
        std::fprintf(stderr, "%s\n", fault->c_str());
        return kExitError;
    }
    const bool built = !job.hasFormula || field.build(job.formula);
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
    VectorRecorder vectors;
    if (IsVectorFormat(target))
        field.canvas().setRecorder(&vectors);
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
    if (!error.empty()) {
        if (target.standardOutput)
            std::fprintf(stderr, "Не удалось записать рисунок в стандартный вывод: %s.\n",
                         error.c_str());
        else
            std::fprintf(stderr, "Не удалось записать файл %s: %s.\n", target.name.c_str(),
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

const std::vector<PlotOption> &PlotOptions() {
    static const std::vector<PlotOption> options = MakeOptions();
    return options;
}

void ParsePlotArguments(const std::vector<std::string> &args, PlotJob &job) {
    SetStartValues(job.state, kPanelWidth, kPanelHeight);
    StartFromSheet(job);
    bool optionsEnded = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (!optionsEnded && args[i] == "--") {
            optionsEnded = true;
            continue;
        }
        const PlotOption *option = optionsEnded ? nullptr : FindOption(args[i]);
        if (option == nullptr) {
            if (job.hasFormula)
                throw UsageError("лишний аргумент «" + args[i] + "»: формула уже задана («" +
                                 job.formula + "»)");
            job.formula = args[i];
            job.hasFormula = true;
            continue;
        }
        const std::size_t count = static_cast<std::size_t>(option->valueCount);
        if (args.size() - i - 1 < count)
            throw UsageError(option->name + ": не хватает значений (" + option->synopsis + ")");
        const Values values(args.begin() + i + 1, args.begin() + i + 1 + count);
        if (!option->apply(values, job))
            throw UsageError(OptionMessage(option->name, values, option->why));
        i += count;
    }
    if (!job.hasFormula && job.sheetPath.empty())
        throw UsageError("plot: не задана формула");
    if (job.output.empty())
        throw UsageError("plot: не задан файл рисунка (-o ФАЙЛ)");
    // The interval dialog keeps both ends inside the x range; so does the tool.
    const PlotState &s = job.state;
    if (s.IntervalMode &&
        !(InRange(job.intervalFrom, s.XMin, s.XMax) && InRange(job.intervalTo, s.XMin, s.XMax)))
        throw UsageError(OptionMessage("--interval", job.intervalText,
                                       "отрезок должен лежать внутри [xmin, xmax]"));
}

int PlotCommand(const std::vector<std::string> &args, const char *programName) {
    qInstallMessageHandler(QuietMessages);
    PlotJob job;
    if (const auto sheet = SheetArgument(args)) {
        WorksheetRead read = ReadWorksheetFileNative(QByteArray::fromStdString(*sheet));
        if (!read.sheet) {
            std::fprintf(stderr, "%s\n", read.fault.toStdString().c_str());
            return kExitFormulaRefused;
        }
        job.sheet = std::move(read.sheet);
    }
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
