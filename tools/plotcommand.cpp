#include "plotcommand.h"

#include <QSaveFile>
#include <cstdio>
#include <exception>

#include "buildgraph.h"
#include "cliargs.h"
#include "errors.h"
#include "markoptions.h"

namespace kurvanto {

namespace {

constexpr std::int32_t kMaxFieldSide = 10000; // larger pictures are refused, not attempted

using Values = std::vector<std::string>;

PlotOption RealOption(const std::string &name, double PlotState::*field, const std::string &help) {
    return {name, 1, name + " R", help, [field](const Values &v, PlotJob &job) {
                const auto value = ParseReal(v[0]);
                if (value)
                    job.state.*field = *value;
                return value.has_value();
            }};
}

PlotOption SizeOption(const std::string &name, std::int32_t PlotState::*field, std::int32_t limit,
                      const std::string &help) {
    return {name, 1, name + " N", help, [field, limit](const Values &v, PlotJob &job) {
                const auto value = ParseInt(v[0]);
                if (!value || *value < 1 || *value > limit)
                    return false;
                job.state.*field = *value;
                return true;
            }};
}

PlotOption ColorOption(const std::string &name, TColor PlotState::*field, const std::string &help) {
    return {name, 1, name + " RRGGBB", help, [field](const Values &v, PlotJob &job) {
                const auto value = ParseColor(v[0]);
                if (value)
                    job.state.*field = *value;
                return value.has_value();
            }};
}

std::vector<PlotOption> MakeOptions() {
    std::vector<PlotOption> options = {
        {"-o", 1, "-o ФАЙЛ", "куда записать рисунок (обязателен)",
         [](const Values &v, PlotJob &job) {
             job.output = v[0];
             return !v[0].empty();
         }},
        SizeOption("--width", &PlotState::FieldWidth, kMaxFieldSide, "ширина поля, точек (640)"),
        SizeOption("--height", &PlotState::FieldHeight, kMaxFieldSide,
                   "высота поля, точек (440; рисунок на одну строку выше)"),
        RealOption("--xmin", &PlotState::XMin, "левый край по x (-10)"),
        RealOption("--xmax", &PlotState::XMax, "правый край по x (10)"),
        RealOption("--ymin", &PlotState::YMin, "нижний край по y (-10)"),
        RealOption("--ymax", &PlotState::YMax, "верхний край по y (10)"),
        SizeOption("--precision", &PlotState::Precision, 1000000,
                   "точек вычисления на столбец (1)"),
        {"--interval", 2, "--interval ОТ ДО",
         "строить только на отрезке [ОТ, ДО] внутри [xmin, xmax]",
         [](const Values &v, PlotJob &job) {
             const auto from = ParseReal(v[0]), to = ParseReal(v[1]);
             if (!from || !to)
                 return false;
             job.state.IntervalMode = 1;
             job.intervalFrom = *from;
             job.intervalTo = *to;
             return true;
         }},
        ColorOption("--axes-color", &PlotState::AxesColor, "цвет осей (000000)"),
        ColorOption("--graph-color", &PlotState::GraphColor, "цвет графика (000000)"),
        ColorOption("--background", &PlotState::BackgroundColor,
                    "цвет фона (по умолчанию цвет кнопок системы)"),
    };
    const std::vector<PlotOption> marks = MarkOptions(); // drawn after the build, in order
    options.insert(options.end(), marks.begin(), marks.end());
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

// The picture's window for a run of the tool: the error label becomes the refusal.
class ToolHost : public BuildGraphHost {
  public:
    explicit ToolHost(PlotJob &job) : job_(job) {}
    void askInterval() override {
        job_.state.IntervalFrom = job_.intervalFrom;
        job_.state.IntervalTo = job_.intervalTo;
    }
    void setErrorLabelVisible(bool visible) override { refused_ = visible; }
    void showReadoutLabels() override {}
    bool refused() const { return refused_; }

  private:
    PlotJob &job_;
    bool refused_ = false;
};

bool EndsWithPng(const std::string &path) {
    if (path.size() < 4)
        return false;
    std::string tail = path.substr(path.size() - 4);
    for (char &c : tail)
        c = static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
    return tail == ".png";
}

bool WritePicture(const QImage &image, const std::string &path) {
    QSaveFile file(QString::fromStdString(path));
    if (!file.open(QIODevice::WriteOnly))
        return false;
    const QImage rgb = image.convertToFormat(QImage::Format_RGB32);
    if (!rgb.save(&file, EndsWithPng(path) ? "PNG" : "BMP")) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}

} // namespace

const std::vector<PlotOption> &PlotOptions() {
    static const std::vector<PlotOption> options = MakeOptions();
    return options;
}

bool ParsePlotArguments(const std::vector<std::string> &args, PlotJob &job) {
    SetStartValues(job.state, kPanelWidth, kPanelHeight);
    bool optionsEnded = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const PlotOption *option = optionsEnded ? nullptr : FindOption(args[i]);
        if (!optionsEnded && args[i] == "--") {
            optionsEnded = true;
            continue;
        }
        if (option == nullptr) {
            if (job.hasFormula)
                return false;
            job.formula = args[i];
            job.hasFormula = true;
            continue;
        }
        if (i + option->valueCount >= args.size())
            return false;
        const Values values(args.begin() + i + 1, args.begin() + i + 1 + option->valueCount);
        if (!option->apply(values, job))
            return false;
        i += option->valueCount;
    }
    if (!job.hasFormula || job.output.empty())
        return false;
    // The interval dialog keeps both ends inside the x range; so does the tool.
    const PlotState &s = job.state;
    return !s.IntervalMode ||
           (InRange(job.intervalFrom, s.XMin, s.XMax) && InRange(job.intervalTo, s.XMin, s.XMax));
}

int RunPlot(PlotJob &job) {
    Canvas canvas;
    ToolHost host(job);
    try {
        BuildGraph(job.state, canvas, job.formula, host);
        if (host.refused()) {
            std::fputs("Ошибка в функции !!!\n", stderr);
            return kExitFormulaRefused;
        }
        for (const PostBuildAction &action : job.actions)
            action(job.state, canvas);
    } catch (const std::exception &error) {
        std::fprintf(stderr, "%s.\n", error.what());
        return kExitError;
    }
    if (!WritePicture(canvas.image(), job.output)) {
        std::fprintf(stderr, "Не удалось записать файл %s.\n", job.output.c_str());
        return kExitError;
    }
    return kExitOk;
}

} // namespace kurvanto
