// SPDX-License-Identifier: GPL-3.0-or-later
// Writing a worksheet, the 6-byte reals in hex and the worksheet files. Reading the bytes is
// worksheetreader.cpp.
#include "worksheet.h"

#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

#include "worksheetjson.h"

namespace kurvanto {

namespace {

QJsonObject RangesObject(const ViewRanges &r) {
    return {{"xmin", DoubleValue(r.xMin)},
            {"xmax", DoubleValue(r.xMax)},
            {"ymin", DoubleValue(r.yMin)},
            {"ymax", DoubleValue(r.yMax)}};
}

QString Letter(std::size_t index) {
    return QString(QLatin1Char(kParameterLetters[index]));
}

QJsonObject FixedObject(const FieldItem &item) {
    QJsonObject o;
    for (std::size_t i = 0; i < kParameterCount; ++i)
        if (item.fixedParameters & (1u << i))
            o[Letter(i)] = DoubleValue(item.fixedValues.value[i]);
    return o;
}

// The parameters that differ from their first value or range.
QJsonObject ParametersObject(const Worksheet &sheet) {
    const ParameterValues firstValues;
    const ParameterRange firstRange;
    QJsonObject o;
    for (std::size_t i = 0; i < kParameterCount; ++i) {
        const ParameterRange &r = sheet.parameterRanges[i];
        const double value = sheet.parameters.value[i];
        if (value == firstValues.value[i] && r.min == firstRange.min && r.max == firstRange.max &&
            r.step == firstRange.step)
            continue;
        o[Letter(i)] = QJsonObject{{"value", DoubleValue(value)},
                                   {"min", DoubleValue(r.min)},
                                   {"max", DoubleValue(r.max)},
                                   {"step", DoubleValue(r.step)}};
    }
    return o;
}

QJsonObject ItemObject(const FieldItem &item) {
    QJsonObject o;
    switch (item.kind) {
    case FieldItem::Build:
        o["kind"] = "build";
        o["formula"] = QString::fromStdString(item.formula);
        o["color"] = static_cast<double>(item.graphColor);
        o["axes-color"] = static_cast<double>(item.axesColor);
        o["precision"] = item.precision;
        if (item.interval)
            o["interval"] =
                QJsonArray{DoubleValue(item.intervalFrom), DoubleValue(item.intervalTo)};
        o["hidden"] = item.hidden;
        if (item.fixedParameters != 0)
            o["fixed"] = FixedObject(item);
        break;
    case FieldItem::Tick:
        o["kind"] = "ticks";
        o["axes-color"] = static_cast<double>(item.axesColor);
        o["x"] = Real48Hex(item.markX);
        o["y"] = Real48Hex(item.markY);
        break;
    case FieldItem::Corner:
        o["kind"] = "corner";
        o["formula"] = QString::fromStdString(item.formula);
        o["color"] = static_cast<double>(item.graphColor);
        o["x"] = Real48Hex(item.markX);
        break;
    case FieldItem::Label:
        o["kind"] = "label";
        o["text"] = item.text;
        o["color"] = static_cast<double>(item.labelColor);
        o["x"] = DoubleValue(item.x);
        o["y"] = DoubleValue(item.y);
        break;
    }
    return o;
}

QString FileNameForMessage(const QString &path) {
    return QFileInfo(path).fileName();
}

WorksheetRead ReadOpenFile(QFile &file, const QString &name) {
    WorksheetRead read;
    const auto fail = [&](const QString &why) {
        read.fault = QStringLiteral("Лист «%1»: %2").arg(name, why);
        return read;
    };
    if (!file.isOpen() && !file.open(QIODevice::ReadOnly))
        return fail(QStringLiteral("не удалось открыть файл (%1)").arg(file.errorString()));
    // One byte more than allowed tells a file over the limit without reading all of it.
    const QByteArray bytes = file.read(kWorksheetMaxBytes + 1);
    if (bytes.size() > kWorksheetMaxBytes)
        return fail(QStringLiteral("файл больше 10 МБ"));
    if (file.error() != QFileDevice::NoError)
        return fail(QStringLiteral("не удалось прочитать файл (%1)").arg(file.errorString()));
    read = ParseWorksheet(bytes);
    if (!read.sheet)
        return fail(read.fault);
    return read;
}

} // namespace

namespace {

bool SameBits(double a, double b) {
    return std::memcmp(&a, &b, sizeof a) == 0;
}

bool SameRanges(const ViewRanges &a, const ViewRanges &b) {
    return SameBits(a.xMin, b.xMin) && SameBits(a.xMax, b.xMax) && SameBits(a.yMin, b.yMin) &&
           SameBits(a.yMax, b.yMax);
}

} // namespace

bool SameItem(const FieldItem &a, const FieldItem &b) {
    return a.kind == b.kind && a.formula == b.formula && a.graphColor == b.graphColor &&
           a.axesColor == b.axesColor && a.precision == b.precision && a.interval == b.interval &&
           a.hidden == b.hidden && SameBits(a.intervalFrom, b.intervalFrom) &&
           SameBits(a.intervalTo, b.intervalTo) && SameBits(a.markX, b.markX) &&
           SameBits(a.markY, b.markY) && a.text == b.text && a.labelColor == b.labelColor &&
           SameBits(a.x, b.x) && SameBits(a.y, b.y) && a.fixedParameters == b.fixedParameters &&
           std::equal(a.fixedValues.value.begin(), a.fixedValues.value.end(),
                      b.fixedValues.value.begin(), SameBits);
}

namespace {

bool SameParameters(const Worksheet &a, const Worksheet &b) {
    for (std::size_t i = 0; i < kParameterCount; ++i) {
        const ParameterRange &r = a.parameterRanges[i], &q = b.parameterRanges[i];
        if (!SameBits(a.parameters.value[i], b.parameters.value[i]) || !SameBits(r.min, q.min) ||
            !SameBits(r.max, q.max) || !SameBits(r.step, q.step))
            return false;
    }
    return true;
}

} // namespace

bool SameWorksheet(const Worksheet &a, const Worksheet &b) {
    const FieldOptions &o = a.options, &p = b.options;
    return a.width == b.width && a.height == b.height && SameRanges(a.ranges, b.ranges) &&
           SameRanges(a.home, b.home) && a.precision == b.precision && a.axesColor == b.axesColor &&
           a.graphColor == b.graphColor && a.backgroundColor == b.backgroundColor &&
           o.grid == p.grid && o.numbers == p.numbers && o.breaks == p.breaks &&
           o.legend == p.legend && o.points == p.points && SameParameters(a, b) &&
           std::equal(a.items.begin(), a.items.end(), b.items.begin(), b.items.end(), SameItem);
}

QJsonValue DoubleValue(double d) {
    if (std::isnan(d))
        return QStringLiteral("nan");
    if (std::isinf(d))
        return d > 0 ? QStringLiteral("inf") : QStringLiteral("-inf");
    if (d == 0 && std::signbit(d))
        return QStringLiteral("-0");
    return d;
}

QByteArray WorksheetJson(const Worksheet &sheet) {
    QJsonArray items;
    for (const FieldItem &item : sheet.items)
        items.append(ItemObject(item));
    const FieldOptions &o = sheet.options;
    QJsonObject options{
        {"grid", o.grid}, {"numbers", o.numbers}, {"breaks", o.breaks}, {"legend", o.legend}};
    if (o.points) // written only when on, so that a sheet without it reads as before
        options.insert(QStringLiteral("points"), true);
    QJsonObject root{
        {"format", QStringLiteral("kurvanto-worksheet")},
        {"version", kWorksheetVersion},
        {"width", sheet.width},
        {"height", sheet.height},
        {"ranges", RangesObject(sheet.ranges)},
        {"home", RangesObject(sheet.home)},
        {"precision", sheet.precision},
        {"colors", QJsonObject{{"axes", static_cast<double>(sheet.axesColor)},
                               {"graph", static_cast<double>(sheet.graphColor)},
                               {"background", static_cast<double>(sheet.backgroundColor)}}},
        {"options", options},
        {"items", items},
    };
    const QJsonObject parameters = ParametersObject(sheet);
    if (!parameters.isEmpty())
        root["parameters"] = parameters;
    return QJsonDocument(root).toJson(QJsonDocument::Indented);
}

QString Real48Hex(Real48 value) {
    std::uint8_t bytes[6] = {};
    const double v = value.value();
    if (v != 0) {
        int e = 0;
        const double m = std::frexp(std::fabs(v), &e); // [0.5, 1)
        bytes[0] = static_cast<std::uint8_t>(e + 128);
        auto fraction = static_cast<std::uint64_t>(std::ldexp(m * 2 - 1, 39));
        for (int i = 1; i <= 5; ++i, fraction >>= 8)
            bytes[i] = static_cast<std::uint8_t>(fraction & 0xFF);
        if (v < 0)
            bytes[5] |= 0x80;
    }
    return QString::fromLatin1(
        QByteArray(reinterpret_cast<const char *>(bytes), sizeof bytes).toHex());
}

std::optional<Real48> Real48FromHex(const QString &hex) {
    if (hex.size() != 12)
        return std::nullopt;
    for (QChar c : hex)
        if (!c.isDigit() && !(c >= 'a' && c <= 'f') && !(c >= 'A' && c <= 'F'))
            return std::nullopt;
    const QByteArray bytes = QByteArray::fromHex(hex.toLatin1());
    const auto byte = [&](int i) { return static_cast<std::uint8_t>(bytes[i]); };
    if (byte(0) == 0)
        return Real48::from(0.0L);
    std::uint64_t fraction = 0;
    for (int i = 5; i >= 1; --i)
        fraction = (fraction << 8) | (i == 5 ? (byte(i) & 0x7F) : byte(i));
    const long double magnitude =
        std::ldexp(1.0L + std::ldexp(static_cast<long double>(fraction), -39), byte(0) - 129);
    return Real48::from((byte(5) & 0x80) ? -magnitude : magnitude);
}

WorksheetRead ReadWorksheetFile(const QString &path) {
    QFile file(path);
    return ReadOpenFile(file, FileNameForMessage(path));
}

WorksheetRead ReadWorksheetFileNative(const QByteArray &path) {
    // The name's own bytes open the file: one that is not valid UTF-8 would not survive QFile.
    QFile file;
    const int fd = ::open(path.constData(), O_RDONLY | O_CLOEXEC);
    if (fd >= 0 && !file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle))
        ::close(fd);
    if (fd < 0)
        file.setFileName(QFile::decodeName(path)); // its open fails and says why
    return ReadOpenFile(file, QString::fromLocal8Bit(path));
}

WriteResult SaveWorksheetFile(const Worksheet &sheet, const QString &path) {
    const QByteArray bytes = WorksheetJson(sheet);
    return WriteFileWhole(path,
                          [&](QIODevice &device) { return device.write(bytes) == bytes.size(); });
}

WriteResult SaveWorksheetFileNative(const Worksheet &sheet, const QByteArray &path) {
    const QByteArray bytes = WorksheetJson(sheet);
    return WriteFileWholeNative(
        path, [&](QIODevice &device) { return device.write(bytes) == bytes.size(); });
}

} // namespace kurvanto
