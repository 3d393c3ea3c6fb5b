// SPDX-License-Identifier: GPL-3.0-or-later
#include "fielddescription.h"

#include <QColor>
#include <algorithm>
#include <cmath>
#include <iterator>

#include "canvas.h"

namespace kurvanto {

namespace {

struct NamedColor {
    QRgb rgb;
    const char *name;
};

const NamedColor kNamedColors[] = {
    {0x000000, "чёрный"},       {0xFFFFFF, "белый"},       {0xFF0000, "красный"},
    {0x800000, "бордовый"},     {0x00FF00, "салатовый"},   {0x008000, "зелёный"},
    {0x0000FF, "синий"},        {0x000080, "тёмно-синий"}, {0xFFFF00, "жёлтый"},
    {0x808000, "оливковый"},    {0x00FFFF, "голубой"},     {0x008080, "бирюзовый"},
    {0xFF00FF, "пурпурный"},    {0x800080, "фиолетовый"},  {0x808080, "серый"},
    {0xC0C0C0, "светло-серый"}, {0xFFA500, "оранжевый"},
};

// 1.500 -> 1.5, 2.000 -> 2
QString WithoutTrailingZeros(QString number) {
    if (!number.contains(QLatin1Char('.')))
        return number;
    while (number.endsWith(QLatin1Char('0')))
        number.chop(1);
    if (number.endsWith(QLatin1Char('.')))
        number.chop(1);
    return number;
}

int Distance(QRgb a, QRgb b) {
    const int r = qRed(a) - qRed(b), g = qGreen(a) - qGreen(b), bl = qBlue(a) - qBlue(b);
    return r * r + g * g + bl * bl;
}

QString Range(double from, double to) {
    return QStringLiteral("от %1 до %2").arg(FormatSignificant(from), FormatSignificant(to));
}

QString BuildLine(int number, const FieldItem &build) {
    const QString where = build.interval
                              ? QStringLiteral("x ") + Range(build.intervalFrom, build.intervalTo)
                              : QStringLiteral("на всём поле");
    return QStringLiteral("График %1: f(x)=%2, цвет %3, %4.")
        .arg(number)
        .arg(QString::fromStdString(build.formula), ColorName(build.graphColor), where);
}

QString MarkLine(const FieldItem &mark) {
    switch (mark.kind) {
    case FieldItem::Tick:
        return QStringLiteral("Насечки: x = %1, y = %2.")
            .arg(FormatSignificant(mark.markX), FormatSignificant(mark.markY));
    case FieldItem::Corner:
        return QStringLiteral("Уголок при x = %1.").arg(FormatSignificant(mark.markX));
    case FieldItem::Label:
        return QStringLiteral("Надпись «%1» в точке (%2; %3).")
            .arg(mark.text, FormatSignificant(mark.x), FormatSignificant(mark.y));
    case FieldItem::Build:
        break;
    }
    return QString();
}

} // namespace

QString DescribeField(const PlotState &state, const DisplayList &list, const BuildNotes &notes) {
    QStringList lines{QStringLiteral("Поле графика: x %1, y %2.")
                          .arg(Range(state.XMin, state.XMax), Range(state.YMin, state.YMax))};
    int builds = 0;
    const std::vector<FieldItem> &items = list.items();
    for (std::size_t i = 0; i < items.size(); ++i) {
        const FieldItem &item = items[i];
        if (item.kind != FieldItem::Build) {
            lines << MarkLine(item);
            continue;
        }
        if (item.hidden)
            continue;
        lines << BuildLine(++builds, item);
        if (notes)
            for (const QString &note : notes(i, item))
                lines << QStringLiteral("  ") + note;
    }
    if (builds == 0)
        lines.insert(1, QStringLiteral("Графиков нет."));
    return lines.join(QLatin1Char('\n'));
}

QString FormatSignificant(double value, int digits) {
    if (std::isnan(value))
        return QStringLiteral("не число");
    if (std::isinf(value))
        return value > 0 ? QStringLiteral("бесконечность") : QStringLiteral("-бесконечность");
    if (value == 0)
        return QStringLiteral("0");
    // The exponent after rounding: 9,99996 becomes 10.
    const QString rounded = QString::number(value, 'e', digits - 1);
    const int exponent = rounded.mid(rounded.indexOf(QLatin1Char('e')) + 1).toInt();
    QString text;
    if (exponent < -4 || exponent >= 15) {
        const int e = rounded.indexOf(QLatin1Char('e'));
        text = WithoutTrailingZeros(rounded.left(e)) + rounded.mid(e);
    } else {
        text = WithoutTrailingZeros(
            QString::number(rounded.toDouble(), 'f', std::max(0, digits - 1 - exponent)));
    }
    return text.replace(QLatin1Char('.'), QLatin1Char(','));
}

QString JoinValues(const std::vector<double> &values) {
    QStringList texts;
    for (double value : values)
        texts << FormatSignificant(value);
    return texts.join(QStringLiteral("; "));
}

QString ColorCode(TColor color) {
    return QStringLiteral("%1")
        .arg(Canvas::toQColor(color).rgb() & 0xFFFFFF, 6, 16, QLatin1Char('0'))
        .toUpper();
}

QString ColorName(TColor color) {
    const QRgb rgb = Canvas::toQColor(color).rgb() & 0xFFFFFF;
    const NamedColor *nearest = std::begin(kNamedColors);
    for (const NamedColor &named : kNamedColors)
        if (Distance(named.rgb, rgb) < Distance(nearest->rgb, rgb))
            nearest = &named;
    return QStringLiteral("%1 (%2)").arg(QString::fromUtf8(nearest->name), ColorCode(color));
}

} // namespace kurvanto
