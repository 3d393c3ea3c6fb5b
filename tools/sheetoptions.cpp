// SPDX-License-Identifier: GPL-3.0-or-later
#include "sheetoptions.h"

#include "worksheet.h"

namespace kurvanto {

namespace {

using Values = std::vector<std::string>;

PlotOption SheetOption() {
    return {"--sheet",
            1,
            "--sheet ЛИСТ",
            "сначала лист (.kurv): параметры поля заменяют его, формулы добавляются",
            "нужно имя файла листа",
            [](const Values &v, PlotJob &job) {
                job.sheetPath = v[0];
                job.needsFonts = true; // its labels, numbers and legend
                return !v[0].empty();
            }};
}

PlotOption SaveSheetOption() {
    return {"--save-sheet",
            1,
            "--save-sheet ЛИСТ",
            "записать ещё и лист (.kurv) того, что нарисовано",
            "нужно имя файла листа",
            [](const Values &v, PlotJob &job) {
                job.saveSheetPath = v[0];
                return !v[0].empty();
            }};
}

const PlotOption *Find(const std::string &name) {
    for (const PlotOption &option : PlotOptions())
        if (option.name == name)
            return &option;
    return nullptr;
}

} // namespace

std::vector<PlotOption> SheetOptions() {
    return {SheetOption(), SaveSheetOption()};
}

std::optional<std::string> SheetArgument(const std::vector<std::string> &args) {
    std::optional<std::string> sheet;
    for (std::size_t i = 0; i < args.size() && args[i] != "--"; ++i) {
        const PlotOption *option = Find(args[i]);
        if (option == nullptr)
            continue;
        const auto count = static_cast<std::size_t>(option->valueCount);
        if (option->name == "--sheet" && i + 1 < args.size())
            sheet = args[i + 1];
        i += count;
    }
    return sheet;
}

void StartFromSheet(PlotJob &job) {
    if (!job.sheet)
        return;
    const Worksheet &sheet = *job.sheet;
    PlotState &s = job.state;
    s.FieldWidth = s.DialogWidth = sheet.width;
    s.FieldHeight = s.DialogHeight = sheet.height;
    s.XMin = sheet.ranges.xMin;
    s.XMax = sheet.ranges.xMax;
    s.YMin = sheet.ranges.yMin;
    s.YMax = sheet.ranges.yMax;
    s.Precision = sheet.precision;
    s.AxesColor = sheet.axesColor;
    s.GraphColor = sheet.graphColor;
    s.BackgroundColor = sheet.backgroundColor;
    job.options = sheet.options;
}

std::optional<std::string> OpenJobSheet(const PlotJob &job, Field &field) {
    if (!job.sheet) {
        field.setHomeRanges(CurrentView(job.state));
        return std::nullopt;
    }
    Worksheet sheet = *job.sheet;
    const PlotState &s = job.state;
    sheet.width = s.FieldWidth;
    sheet.height = s.FieldHeight;
    sheet.ranges = CurrentView(s);
    sheet.precision = s.Precision;
    sheet.axesColor = s.AxesColor;
    sheet.graphColor = s.GraphColor;
    sheet.backgroundColor = s.BackgroundColor;
    sheet.options = job.options;
    if (const auto why = field.openWorksheet(sheet))
        return "Лист «" + job.sheetPath + "»: " + why->toStdString();
    return std::nullopt;
}

std::optional<std::string> SaveJobSheet(const PlotJob &job, const Field &field) {
    if (job.saveSheetPath.empty())
        return std::nullopt;
    const WriteResult written =
        SaveWorksheetFileNative(field.worksheet(), QByteArray::fromStdString(job.saveSheetPath));
    if (written.ok)
        return std::nullopt;
    return "Не удалось записать лист " + job.saveSheetPath + ": " + written.error.toStdString();
}

} // namespace kurvanto
