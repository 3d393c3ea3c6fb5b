// SPDX-License-Identifier: GPL-3.0-or-later
#include "valuetable.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "program.h"

namespace kurvanto {

namespace {

// The share of the sampled values left out at each end, and the margin added at each end.
constexpr double kFitTrim = 0.01;
constexpr double kFitMargin = 0.025;

// The compiled formula, its parameters reading as `values` (a text without any reads as ever).
FormulaProgram ProgramOf(const std::string &formula, const ParameterValues &values) {
    return FindParameters(formula).empty() ? FormulaProgram(formula)
                                           : FormulaProgram(formula, values);
}

std::optional<double> ValueOf(const FormulaProgram &program, double x) {
    char status = 'n';
    const double value = program.Evaluate(x, status);
    if (status != 'n' || !std::isfinite(value))
        return std::nullopt;
    return value;
}

bool InsideInterval(const FieldItem &build, double x) {
    if (!build.interval)
        return true;
    const double low = std::min(build.intervalFrom, build.intervalTo);
    const double high = std::max(build.intervalFrom, build.intervalTo);
    return low <= x && x <= high;
}

// Every value the visible builds have at the state's pixel columns.
std::vector<double> SampledValues(const PlotState &state, const DisplayList &list) {
    std::vector<double> values;
    const long double units =
        (static_cast<long double>(state.XMax) - state.XMin) / (state.FieldWidth + 1.0L);
    for (std::size_t index : VisibleBuilds(list)) {
        const FieldItem &build = list.items()[index];
        const FormulaProgram program = ProgramOf(build.formula, list.valuesOf(build));
        for (std::int32_t column = 0; column <= state.FieldWidth; ++column) {
            const double x = static_cast<double>(state.XMin + column * units);
            if (!InsideInterval(build, x))
                continue;
            if (const auto value = ValueOf(program, x))
                values.push_back(*value);
        }
    }
    return values;
}

bool NeedsQuotes(const std::string &cell, char separator) {
    return cell.find_first_of(std::string(1, separator) + "\"\r\n") != std::string::npos;
}

std::string Cell(const std::string &text, char separator, bool quote) {
    if (!quote || !NeedsQuotes(text, separator))
        return text;
    std::string quoted = "\"";
    for (char c : text)
        quoted += c == '"' ? std::string("\"\"") : std::string(1, c);
    return quoted + '"';
}

} // namespace

std::optional<double> FormulaValue(const std::string &formula, double x,
                                   const ParameterValues &values) {
    return ValueOf(ProgramOf(formula, values), x);
}

ValueTable ComputeValueTable(const std::vector<std::string> &formulas, double from, double step,
                             int count, const std::vector<ParameterValues> &values) {
    ValueTable table;
    table.formulas = formulas;
    const int rows = std::clamp(count, 0, kTableMaxRows);
    std::vector<FormulaProgram> programs;
    for (std::size_t i = 0; i < formulas.size(); ++i)
        programs.push_back(
            ProgramOf(formulas[i], i < values.size() ? values[i] : ParameterValues{}));
    for (int i = 0; i < rows; ++i) {
        const double x = from + i * step;
        table.xs.push_back(x);
        std::vector<std::optional<double>> row;
        for (const FormulaProgram &program : programs)
            row.push_back(ValueOf(program, x));
        table.rows.push_back(std::move(row));
    }
    return table;
}

std::vector<std::size_t> VisibleBuilds(const DisplayList &list) {
    std::vector<std::size_t> builds;
    for (std::size_t i = 0; i < list.items().size(); ++i)
        if (list.items()[i].kind == FieldItem::Build && !list.items()[i].hidden)
            builds.push_back(i);
    return builds;
}

std::vector<std::string> VisibleFormulas(const DisplayList &list) {
    std::vector<std::string> formulas;
    for (std::size_t index : VisibleBuilds(list))
        formulas.push_back(list.items()[index].formula);
    return formulas;
}

std::vector<ParameterValues> VisibleParameterValues(const DisplayList &list) {
    std::vector<ParameterValues> values;
    for (std::size_t index : VisibleBuilds(list))
        values.push_back(list.valuesOf(list.items()[index]));
    return values;
}

std::optional<double> BuildValue(const DisplayList &list, std::size_t index, double x) {
    const FieldItem &build = list.items()[index];
    if (!InsideInterval(build, x))
        return std::nullopt;
    return FormulaValue(build.formula, x, list.valuesOf(build));
}

std::string TableNumber(double value) {
    char text[40];
    std::snprintf(text, sizeof text, "%.17g", value);
    return text;
}

std::string TableText(const ValueTable &table, char separator, const std::string &none,
                      bool quote) {
    std::string text = "x";
    for (const std::string &formula : table.formulas)
        text += separator + Cell(formula, separator, quote);
    text += '\n';
    for (std::size_t i = 0; i < table.xs.size(); ++i) {
        text += TableNumber(table.xs[i]);
        for (const std::optional<double> &value : table.rows[i])
            text += separator + (value ? TableNumber(*value) : Cell(none, separator, quote));
        text += '\n';
    }
    return text;
}

std::optional<ViewRanges> FittedYRange(const PlotState &state, const DisplayList &list) {
    std::vector<double> values = SampledValues(state, list);
    if (values.empty())
        return std::nullopt;
    std::sort(values.begin(), values.end());
    const auto left = static_cast<std::size_t>(std::floor(values.size() * kFitTrim));
    double low = values[left], high = values[values.size() - 1 - left];
    const double margin = high > low ? (high - low) * kFitMargin : 1; // a flat curve: +-1
    low = std::max(low - margin, -kViewLimit);
    high = std::min(high + margin, kViewLimit);
    ViewRanges fitted = CurrentView(state);
    fitted.yMin = low;
    fitted.yMax = high;
    if (!ViewUsable(state, fitted))
        return std::nullopt;
    return fitted;
}

} // namespace kurvanto
