// SPDX-License-Identifier: GPL-3.0-or-later
#include "displaylist.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <optional>

#include "annotation.h"
#include "errors.h"
#include "formula.h"
#include "generalformat.h"
#include "rounding.h"

namespace kurvanto {

namespace {

// The graph coordinates of a pixel, and back, with the scale of the last plot.
double GraphX(const PlotState &s, int column) {
    return static_cast<double>(s.XMin + static_cast<long double>(column) * s.XUnitsPerPixel);
}
double GraphY(const PlotState &s, int row) {
    return static_cast<double>(s.YMax - static_cast<long double>(row) * s.YUnitsPerPixel);
}
std::optional<std::int32_t> LabelColumn(const PlotState &s, double x) {
    return TryRound((static_cast<long double>(x) - s.XMin) / s.XUnitsPerPixel);
}
std::optional<std::int32_t> LabelRow(const PlotState &s, double y) {
    return TryRound((static_cast<long double>(s.YMax) - y) / s.YUnitsPerPixel);
}

// The window's host for the builds of a redraw: a build made on an interval keeps its ends
// instead of asking, and a recorded build (accepted once) shows no error.
class RedrawHost : public BuildGraphHost {
  public:
    RedrawHost(BuildGraphHost &host, PlotState &state) : host_(host), state_(state) {}
    void askInterval() override {
        state_.IntervalFrom = from;
        state_.IntervalTo = to;
    }
    void setErrorLabelVisible(bool) override {}
    void showReadoutLabels() override { host_.showReadoutLabels(); }
    void sampleProgress(std::int64_t done, std::int64_t total) override {
        host_.sampleProgress(done, total);
    }
    bool cancelRequested() override { return host_.cancelRequested(); }
    unsigned sampleThreads() const override { return host_.sampleThreads(); }

    double from = 0, to = 0;

  private:
    BuildGraphHost &host_;
    PlotState &state_;
};

// Gives back, however the redraw ends, the settings its builds and marks borrow.
class BorrowedSettings {
  public:
    explicit BorrowedSettings(PlotState &state) : state_(state), saved_(state) {}
    ~BorrowedSettings() {
        state_.AxesColor = saved_.AxesColor;
        state_.GraphColor = saved_.GraphColor;
        state_.Precision = saved_.Precision;
        state_.IntervalMode = saved_.IntervalMode;
        state_.IntervalFrom = saved_.IntervalFrom;
        state_.IntervalTo = saved_.IntervalTo;
        state_.ClearPending = saved_.ClearPending;
        state_.GraphPresent = saved_.GraphPresent;
        state_.AnnotationX = saved_.AnnotationX;
        state_.AnnotationY = saved_.AnnotationY;
        state_.LabelText = saved_.LabelText;
        state_.CurrentX = saved_.CurrentX;
        state_.CurrentValue = saved_.CurrentValue;
        state_.StartValue = saved_.StartValue;
    }
    BorrowedSettings(const BorrowedSettings &) = delete;
    BorrowedSettings &operator=(const BorrowedSettings &) = delete;

  private:
    PlotState &state_;
    const PlotState saved_;
};

void DrawItem(PlotState &state, Canvas &canvas, const FieldItem &item, RedrawHost &host,
              const FieldOptions &buildOptions, const ParameterValues &values) {
    switch (item.kind) {
    case FieldItem::Build:
        state.GraphColor = item.graphColor;
        state.AxesColor = item.axesColor;
        state.Precision = item.precision;
        state.IntervalMode = item.interval ? 1 : 0;
        host.from = item.intervalFrom;
        host.to = item.intervalTo;
        state.ClearPending = 0;
        BuildGraph(state, canvas, item.formula, host, buildOptions, &values);
        return;
    case FieldItem::Tick:
        state.AxesColor = item.axesColor;
        state.AnnotationX = item.markX;
        state.AnnotationY = item.markY;
        try {
            nasec(state, canvas);
        } catch (const InvalidOperation &) {
            // on these ranges the mark lies beyond any position: nothing of it is seen
        }
        return;
    case FieldItem::Corner:
        state.GraphColor = item.graphColor;
        state.AnnotationX = item.markX;
        SetFormulaText(item.formula);
        SetFormulaParameters(&values);
        try {
            ugolok(state, canvas);
        } catch (const InvalidOperation &) {
        }
        return;
    case FieldItem::Label: {
        const auto column = LabelColumn(state, item.x);
        const auto row = LabelRow(state, item.y);
        if (!column || !row || item.text.isEmpty())
            return;
        canvas.ensure(state.FieldWidth, state.FieldHeight + 1);
        canvas.setBrushColor(state.BackgroundColor);
        canvas.setFontColor(item.labelColor);
        canvas.textOut(*column, *row, item.text);
        return;
    }
    }
}

} // namespace

TColor FamilyColor(TColor graphColor, int i, int n) {
    constexpr double kLightest = 0.6; // the share of white in the last member
    const TColor plain = Canvas::fromQColor(Canvas::toQColor(graphColor));
    const double t = n > 1 ? kLightest * i / (n - 1) : 0;
    TColor out = 0;
    for (int shift = 0; shift < 24; shift += 8) {
        const double channel = (plain >> shift) & 0xFF;
        const auto graded = static_cast<TColor>(std::lround(channel + (255 - channel) * t));
        out |= graded << shift;
    }
    return out;
}

std::optional<std::vector<double>> FamilyValues(double from, double to, double step) {
    std::vector<double> values;
    if (!(step > 0) || !(from <= to) || !std::isfinite(to - from))
        return values;
    const double count = std::floor((to - from) / step + 0.5) + 1;
    if (!(count <= static_cast<double>(kMaxFamilyMembers)))
        return std::nullopt;
    for (int i = 0; i < static_cast<int>(count); ++i)
        values.push_back(from + i * step);
    return values;
}

ParameterValues DisplayList::valuesOf(const FieldItem &item) const {
    ParameterValues values = parameters_;
    for (std::size_t i = 0; i < kParameterCount; ++i)
        if (item.fixedParameters & (1u << i))
            values.value[i] = item.fixedValues.value[i];
    return values;
}

void DisplayList::recordBuild(const PlotState &state, const std::string &formula,
                              std::uint8_t fixedParameters, const ParameterValues &fixedValues) {
    FieldItem item;
    item.fixedParameters = fixedParameters;
    item.fixedValues = fixedValues;
    item.kind = FieldItem::Build;
    item.formula = formula;
    item.graphColor = state.GraphColor;
    item.axesColor = state.AxesColor;
    item.precision = state.Precision;
    item.interval = state.IntervalMode != 0;
    item.intervalFrom = state.IntervalFrom;
    item.intervalTo = state.IntervalTo;
    items_.push_back(item);
}

void DisplayList::recordTicks(const PlotState &state) {
    FieldItem item;
    item.kind = FieldItem::Tick;
    item.axesColor = state.AxesColor;
    item.markX = state.AnnotationX;
    item.markY = state.AnnotationY;
    items_.push_back(item);
}

void DisplayList::recordCorner(const PlotState &state) {
    FieldItem item;
    item.kind = FieldItem::Corner;
    item.graphColor = state.GraphColor;
    item.markX = state.AnnotationX;
    for (auto it = items_.rbegin(); it != items_.rend(); ++it)
        if (it->kind == FieldItem::Build) {
            item.formula = it->formula;
            break;
        }
    items_.push_back(item);
}

void DisplayList::recordLabel(const PlotState &state, int pixelX, int pixelY) {
    FieldItem item;
    item.kind = FieldItem::Label;
    item.text = state.LabelText;
    item.labelColor = state.LabelColor;
    item.x = GraphX(state, pixelX);
    item.y = GraphY(state, pixelY);
    items_.push_back(item);
}

void DisplayList::eraseLabelAt(const PlotState &state, int pixelX, int pixelY) {
    for (auto it = items_.rbegin(); it != items_.rend(); ++it) {
        if (it->kind != FieldItem::Label)
            continue;
        const auto column = LabelColumn(state, it->x);
        const auto row = LabelRow(state, it->y);
        if (column && row && std::abs(static_cast<long long>(*column) - pixelX) <= 1 &&
            std::abs(static_cast<long long>(*row) - pixelY) <= 1) {
            items_.erase(std::next(it).base());
            return;
        }
    }
}

std::vector<LegendEntry> DisplayList::legend() const {
    std::vector<LegendEntry> entries;
    for (const FieldItem &item : items_) {
        if (item.kind != FieldItem::Build || item.hidden)
            continue;
        QString text = QString::fromStdString(item.formula);
        for (std::size_t i = 0; i < kParameterCount; ++i)
            if (item.fixedParameters & (1u << i))
                text +=
                    QStringLiteral(", %1 = %2")
                        .arg(QString(QLatin1Char(kParameterLetters[i])),
                             QString::fromStdString(FormatGeneral(item.fixedValues.value[i], ',')));
        const bool known = std::any_of(entries.begin(), entries.end(), [&](const LegendEntry &e) {
            return e.text == text && e.color == item.graphColor;
        });
        if (!known)
            entries.push_back({text, item.graphColor});
    }
    return entries;
}

void RedrawField(PlotState &state, Canvas &canvas, const DisplayList &list,
                 const FieldOptions &options, BuildGraphHost &host) {
    BorrowedSettings borrowed(state);
    state.XUnitsPerPixel =
        (static_cast<long double>(state.XMax) - state.XMin) / (state.FieldWidth + 1.0L);
    state.ReadoutXUnitsPerPixel = state.XUnitsPerPixel;
    state.YUnitsPerPixel =
        (static_cast<long double>(state.YMax) - state.YMin) / (state.FieldHeight + 1.0L);
    state.ReadoutYUnitsPerPixel = state.YUnitsPerPixel;

    canvas.clear();
    canvas.ensure(state.FieldWidth, state.FieldHeight + 1);
    canvas.setBrushColor(state.BackgroundColor);
    canvas.fillRect(canvas.rect());
    if (options.grid)
        DrawGrid(state, canvas);

    RedrawHost redrawHost(host, state);
    FieldOptions buildOptions;
    buildOptions.breaks = options.breaks;
    for (const FieldItem &item : list.items())
        if (!item.hidden)
            DrawItem(state, canvas, item, redrawHost, buildOptions, list.valuesOf(item));

    if (options.numbers)
        DrawNumbers(state, canvas);
    if (options.legend)
        DrawLegend(state, canvas, list.legend());
}

} // namespace kurvanto
