// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The worksheet: what is needed to draw a field again exactly, as a JSON file (".kurv").
//
// The file holds "format": "kurvanto-worksheet" and "version": 1, the field size, the ranges
// and the ranges Home returns to, the precision, the three colours, the field options as
// named flags, and the display list. Doubles are written as the shortest text that reads back
// bit for bit; -0, the infinities and NaN, which JSON numbers cannot hold, as the strings
// "-0", "inf", "-inf" and "nan". The 6-byte reals of the marks are their six bytes in hex.
// A reader ignores keys it does not know; a newer version is refused. Reading is all or
// nothing: a fault anywhere gives one Russian message and no worksheet.
#include <QByteArray>
#include <QString>
#include <optional>
#include <vector>

#include "buildgraph.h"
#include "displaylist.h"
#include "imagefile.h"
#include "plotstate.h"
#include "view.h"

namespace kurvanto {

constexpr int kWorksheetVersion = 1;
constexpr std::int32_t kWorksheetMaxSide = 10000;
constexpr std::int32_t kWorksheetMaxPrecision = 1000;
constexpr std::size_t kWorksheetMaxBuilds = 1000;
constexpr std::size_t kWorksheetMaxMarks = 10000;
constexpr qint64 kWorksheetMaxBytes = 10 * 1024 * 1024;
// The format itself goes four levels deep (the sheet, its list, an item, an interval); the
// rest is room for what later versions may add.
constexpr int kWorksheetMaxDepth = 8;

struct Worksheet {
    std::int32_t width = 0, height = 0; // the field in pixels (the picture is one row higher)
    ViewRanges ranges, home;
    std::int32_t precision = 1;
    TColor axesColor = 0, graphColor = 0, backgroundColor = 0;
    FieldOptions options;
    std::vector<FieldItem> items;
    // The parameters' current values and the panel's ranges ("parameters", left out while all
    // are as at first); a build of a family holds its value in "fixed".
    ParameterValues parameters;
    ParameterRanges parameterRanges;
};

// The same worksheet, value for value (doubles bit for bit).
bool SameItem(const FieldItem &a, const FieldItem &b);
bool SameWorksheet(const Worksheet &a, const Worksheet &b);

// The worksheet as the file's bytes.
QByteArray WorksheetJson(const Worksheet &sheet);

// Reads the file's bytes; the fault (Russian, with the item's number where there is one)
// when they are not a worksheet the program can draw.
struct WorksheetRead {
    std::optional<Worksheet> sheet;
    QString fault;
};
WorksheetRead ParseWorksheet(const QByteArray &bytes);

// The same for a file: its name leads the message ("Лист «a.kurv»: ...").
WorksheetRead ReadWorksheetFile(const QString &path);
WorksheetRead ReadWorksheetFileNative(const QByteArray &path);

// Writes the worksheet through the whole-file writer.
WriteResult SaveWorksheetFile(const Worksheet &sheet, const QString &path);
WriteResult SaveWorksheetFileNative(const Worksheet &sheet, const QByteArray &path);

// The 6-byte real as its bytes (exponent first, then the significand from its lowest byte,
// the sign in the top bit of the last), in hex, and back; nullopt for text that is not
// twelve hex digits.
QString Real48Hex(Real48 value);
std::optional<Real48> Real48FromHex(const QString &hex);

} // namespace kurvanto
