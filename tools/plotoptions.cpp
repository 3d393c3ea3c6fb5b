// SPDX-License-Identifier: GPL-3.0-or-later
// The plot command's options and the reading of its arguments.
#include <algorithm>

#include "cliargs.h"
#include "markoptions.h"
#include "plotcommand.h"
#include "sheetoptions.h"

namespace kurvanto {

namespace {

constexpr std::int32_t kMaxFieldSide = 10000; // larger pictures are refused, not attempted
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
    options.push_back(ParamPlotOption());
    options.push_back(FamilyPlotOption());
    options.push_back(FieldFlag("--points", &FieldOptions::points, false,
                                "особые точки: кольца на корнях, экстремумах и пересечениях"));
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

} // namespace

const std::vector<PlotOption> &PlotOptions() {
    static const std::vector<PlotOption> options = MakeOptions();
    return options;
}

namespace {

// An empty or reversed range is refused, not drawn mirrored or failed on in the build.
void CheckRange(const char *low, double lowValue, const char *high, double highValue) {
    if (!(lowValue < highValue))
        throw UsageError(std::string(low) + " " + RealText(lowValue) + " " + high + " " +
                         RealText(highValue) + ": " + (low + 2) + " должен быть меньше " +
                         (high + 2));
}

void CheckRanges(const PlotJob &job) {
    const PlotState &s = job.state;
    CheckRange("--xmin", s.XMin, "--xmax", s.XMax);
    CheckRange("--ymin", s.YMin, "--ymax", s.YMax);
    if (!s.IntervalMode)
        return;
    if (!(job.intervalFrom < job.intervalTo))
        throw UsageError(OptionMessage("--interval", job.intervalText,
                                       "начало отрезка должно быть меньше конца"));
    // The interval dialog keeps both ends inside the x range; so does the tool.
    if (!(InRange(job.intervalFrom, s.XMin, s.XMax) && InRange(job.intervalTo, s.XMin, s.XMax)))
        throw UsageError(OptionMessage("--interval", job.intervalText,
                                       "отрезок должен лежать внутри [xmin, xmax]"));
}

void TakeFormula(const std::string &arg, PlotJob &job) {
    if (job.hasFormula)
        throw UsageError("лишний аргумент «" + arg + "»: формула уже задана («" + job.formula +
                         "»)");
    job.formula = arg;
    job.hasFormula = true;
}

} // namespace

void ParsePlotArguments(const std::vector<std::string> &args, PlotJob &job) {
    SetStartValues(job.state, kPanelWidth, kPanelHeight);
    StartFromSheet(job);
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--") { // the next argument is the formula, whatever it looks like
            if (i + 1 == args.size())
                throw UsageError("plot: после -- не задана формула");
            TakeFormula(args[++i], job);
            continue;
        }
        if (!IsOptionArgument(args[i])) {
            TakeFormula(args[i], job);
            continue;
        }
        const PlotOption *option = FindOption(args[i]);
        if (option == nullptr)
            throw UnknownOption(args[i]);
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
    CheckRanges(job);
}

} // namespace kurvanto
