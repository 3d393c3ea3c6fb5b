// SPDX-License-Identifier: GPL-3.0-or-later
#include "fieldextras.h"

#include <QFontMetrics>
#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <optional>

#include "rounding.h"

namespace kurvanto {

namespace {

// Room between the numbers and the axis, and between the field's edge and what lies along it.
constexpr int kGap = 3;
constexpr int kLegendPadding = 4;

// Scale of the current ranges, worked out as the build run does it.
double XScale(const PlotState &s) {
    return static_cast<double>((static_cast<long double>(s.XMax) - s.XMin) / (s.FieldWidth + 1.0L));
}
double YScale(const PlotState &s) {
    return static_cast<double>((static_cast<long double>(s.YMax) - s.YMin) /
                               (s.FieldHeight + 1.0L));
}

// Column and row of a point of the field, rounded as the curve's are; nothing when the
// position does not fit.
std::optional<std::int32_t> ColumnOf(const PlotState &s, double x, double unit) {
    return TryRound((static_cast<long double>(x) - s.XMin) / unit);
}
std::optional<std::int32_t> RowOf(const PlotState &s, double y, double unit) {
    return TryRound((static_cast<long double>(s.YMax) - y) / unit);
}

// The axes' positions as the build run draws them (truncated), held to a 32-bit value.
std::int64_t AxisOffset(long double numerator, double unit) {
    const long double q = numerator / unit;
    if (std::isnan(q))
        return -1;
    return static_cast<std::int64_t>(std::clamp(q, -1e9L, 1e9L));
}

int Limit(const PlotState &s, bool horizontal) {
    return (horizontal ? s.FieldWidth : s.FieldHeight) / 10 + 3;
}

// Where the numbers of an axis start across it: after the axis with `clear` pixels between
// (x under its axis, y right of its axis), before it when there is no room after, along the
// nearest edge when the axis is off the picture (`extent` pixels, the last `margin` kept
// free). Nothing when the picture has room on neither side.
std::optional<int> BesideAxis(std::int64_t axis, int clear, int size, int extent, int margin) {
    const int last = extent - size - margin;
    if (axis < 0)
        return kGap;
    if (axis >= extent)
        return std::max(kGap, last);
    if (axis + clear + 1 <= last)
        return static_cast<int>(axis + clear + 1);
    if (axis - clear - size >= 0)
        return static_cast<int>(axis - clear - size);
    return std::nullopt;
}

void DrawXNumbers(const PlotState &s, Canvas &canvas, const QFontMetrics &metrics) {
    const double unit = XScale(s), step = GridStep(unit);
    const auto top =
        BesideAxis(AxisOffset(s.YMax, YScale(s)), kGap - 1, metrics.height(), s.FieldHeight + 1, 1);
    if (!top)
        return;
    int freeFrom = 0; // the first column right of the last number written
    for (const double x : GridValues(s.XMin, s.XMax, step, Limit(s, true))) {
        if (x == 0)
            continue; // the axes' crossing: the number of y = 0 is not written either
        const auto column = ColumnOf(s, x, unit);
        if (!column)
            continue;
        const QString text = GridNumber(x, step);
        const int width = metrics.horizontalAdvance(text);
        const int left = *column - width / 2;
        // A number cut by the edge or running into the one before is left out.
        if (left >= freeFrom && left + width <= s.FieldWidth) {
            canvas.glyphsOut(left, *top, text);
            freeFrom = left + width + kGap;
        }
    }
}

void DrawYNumbers(const PlotState &s, Canvas &canvas, const QFontMetrics &metrics) {
    const double unit = YScale(s), step = GridStep(unit);
    const int height = metrics.height();
    const std::int64_t axis = AxisOffset(-static_cast<long double>(s.XMin), XScale(s));
    for (const double y : GridValues(s.YMin, s.YMax, step, Limit(s, false))) {
        if (y == 0)
            continue;
        const auto row = RowOf(s, y, unit);
        if (!row)
            continue;
        const QString text = GridNumber(y, step);
        const auto left =
            BesideAxis(axis, kGap, metrics.horizontalAdvance(text), s.FieldWidth, kGap);
        const int top = *row - height / 2;
        if (left && top >= 0 && top + height <= s.FieldHeight + 1)
            canvas.glyphsOut(*left, top, text);
    }
}

} // namespace

double GridStep(double unitsPerPixel) {
    if (!std::isfinite(unitsPerPixel) || unitsPerPixel <= 0)
        return 0;
    const double wanted = unitsPerPixel * kGridMinSpacing;
    double power = std::pow(10.0, std::floor(std::log10(wanted)));
    if (!std::isfinite(power) || power <= 0)
        return 0;
    for (;;) {
        for (const double m : {1.0, 2.0, 5.0})
            if (m * power >= wanted * (1 - 1e-12))
                return std::isfinite(m * power) ? m * power : 0;
        power *= 10;
    }
}

std::vector<double> GridValues(double low, double high, double step, int limit) {
    std::vector<double> values;
    if (!(step > 0) || !std::isfinite(low) || !std::isfinite(high) || low > high)
        return values;
    const double first = std::ceil(low / step);
    for (int i = 0; i < limit; ++i) {
        double v = (first + i) * step;
        if (v > high || !std::isfinite(v))
            break;
        if (std::fabs(v) < step * 1e-9)
            v = 0; // no "-0"
        values.push_back(v);
    }
    return values;
}

QString GridNumber(double value, double step) {
    const int stepPower = static_cast<int>(std::floor(std::log10(step) + 1e-9));
    QString text;
    if (value == 0) {
        text = QStringLiteral("0");
    } else if (stepPower < -5 || stepPower > 9) {
        // Beyond plain notation: the mantissa with as many decimals as the step needs.
        const int power = static_cast<int>(std::floor(std::log10(std::fabs(value)) + 1e-9));
        text = QString::number(value, 'e', std::clamp(power - stepPower, 0, 15));
    } else {
        text = QString::number(value, 'f', std::max(0, -stepPower));
    }
    text.replace(QLatin1Char('.'), QLatin1Char(','));
    return text;
}

TColor GridColor(const PlotState &state) {
    const QColor back = Canvas::toQColor(state.BackgroundColor);
    const QColor axes = Canvas::toQColor(state.AxesColor);
    const auto mix = [](int b, int a) { return (b * 17 + a * 3) / 20; };
    return Canvas::fromQColor(QColor(mix(back.red(), axes.red()), mix(back.green(), axes.green()),
                                     mix(back.blue(), axes.blue())));
}

QFont FieldFont() {
    return Canvas::defaultFont();
}

void DrawGrid(const PlotState &s, Canvas &canvas) {
    const double xUnit = XScale(s), yUnit = YScale(s);
    const double xStep = GridStep(xUnit), yStep = GridStep(yUnit);
    canvas.ensure(s.FieldWidth, s.FieldHeight + 1);
    canvas.setPenColor(GridColor(s));
    canvas.setPenWidth(1);
    canvas.setPenStyle(Qt::SolidLine);
    const int bottom = s.FieldHeight + 1;
    // The lines of x = 0 and y = 0 lie where the build run draws the axes.
    for (const double x : GridValues(s.XMin, s.XMax, xStep, Limit(s, true)))
        if (const auto column = x == 0 ? TryTrunc(-static_cast<long double>(s.XMin) / xUnit)
                                       : ColumnOf(s, x, xUnit)) {
            canvas.moveTo(*column, 0);
            canvas.lineTo(*column, bottom);
        }
    for (const double y : GridValues(s.YMin, s.YMax, yStep, Limit(s, false)))
        if (const auto row =
                y == 0 ? TryTrunc(static_cast<long double>(s.YMax) / yUnit) : RowOf(s, y, yUnit)) {
            canvas.moveTo(0, *row);
            canvas.lineTo(s.FieldWidth, *row);
        }
}

void DrawNumbers(const PlotState &s, Canvas &canvas) {
    canvas.ensure(s.FieldWidth, s.FieldHeight + 1);
    const QFont font = FieldFont();
    canvas.setFont(font);
    canvas.setFontColor(s.AxesColor);
    // The glyphs alone: a curve under a number shows between its strokes.
    DrawXNumbers(s, canvas, QFontMetrics(font));
    DrawYNumbers(s, canvas, QFontMetrics(font));
}

void DrawLegend(const PlotState &s, Canvas &canvas, const std::vector<LegendEntry> &entries) {
    if (entries.empty())
        return;
    canvas.ensure(s.FieldWidth, s.FieldHeight + 1);
    const QFont font = FieldFont();
    const QFontMetrics metrics(font);
    int textWidth = 0;
    for (const LegendEntry &entry : entries)
        textWidth = std::max(textWidth, metrics.horizontalAdvance(entry.text));
    const int lineHeight = metrics.height();
    const int width = textWidth + 2 * kLegendPadding;
    const int height = lineHeight * static_cast<int>(entries.size()) + 2 * kLegendPadding;
    const int pictureWidth = canvas.size().width(), pictureHeight = canvas.size().height();
    const int right = std::max(kGap, pictureWidth - width - kGap);
    const int lower = std::max(kGap, pictureHeight - height - kGap);
    const std::array<QPoint, 4> corners = {QPoint(right, kGap), QPoint(kGap, kGap),
                                           QPoint(right, lower), QPoint(kGap, lower)};

    // The curves' pixels under each place the box could take.
    std::vector<QRgb> colors;
    const QRgb background = Canvas::toQColor(s.BackgroundColor).rgb();
    for (const LegendEntry &entry : entries) {
        const QRgb rgb = Canvas::toQColor(entry.color).rgb();
        if (rgb != background && std::find(colors.begin(), colors.end(), rgb) == colors.end())
            colors.push_back(rgb);
    }
    QPoint best = corners[0];
    long long fewest = -1;
    for (const QPoint &corner : corners) {
        const QImage image =
            canvas.region(QRect(corner, QSize(width, height)).intersected(canvas.rect()));
        long long count = 0;
        for (int y = 0; y < image.height(); ++y) {
            const QRgb *line = reinterpret_cast<const QRgb *>(image.constScanLine(y));
            for (int x = 0; x < image.width(); ++x)
                if (std::find(colors.begin(), colors.end(), line[x] | 0xFF000000u) != colors.end())
                    ++count;
        }
        if (fewest < 0 || count < fewest) {
            fewest = count;
            best = corner;
        }
    }

    canvas.setBrushColor(s.BackgroundColor);
    canvas.fillRect(QRect(best, QSize(width, height)));
    canvas.setPenColor(s.AxesColor);
    canvas.setPenWidth(1);
    canvas.setPenStyle(Qt::SolidLine);
    const int x0 = best.x(), y0 = best.y(), x1 = x0 + width - 1, y1 = y0 + height - 1;
    canvas.moveTo(x0, y0);
    canvas.lineTo(x1, y0);
    canvas.lineTo(x1, y1);
    canvas.lineTo(x0, y1);
    canvas.lineTo(x0, y0);
    canvas.setFont(font);
    int y = y0 + kLegendPadding;
    for (const LegendEntry &entry : entries) {
        canvas.setFontColor(entry.color);
        canvas.textOut(x0 + kLegendPadding, y, entry.text);
        y += lineHeight;
    }
}

} // namespace kurvanto
