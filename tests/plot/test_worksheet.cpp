// SPDX-License-Identifier: GPL-3.0-or-later
// The worksheet: what is written reads back bit for bit and draws the same picture; a bad
// sheet is refused whole with its one message, and a field that cannot open it stays as it was.
#include <QImage>
#include <cmath>
#include <cstring>
#include <gtest/gtest.h>
#include <limits>

#include "bits.h"
#include "field.h"
#include "pointmarks.h"
#include "recordinghost.h"
#include "worksheet.h"

namespace kurvanto {
namespace {

using kurvanto::testing::SameBits;

TEST(Worksheet, Real48HexIsTheSixBytes) {
    struct {
        double value;
        const char *hex;
    } const cases[] = {
        {0.0, "000000000000"},
        {1.0, "810000000000"},  // exponent 129 for 2^0
        {-1.5, "8100000000c0"}, // fraction .1, sign in the top bit of the last byte
        {0.75, "800000000040"}, // 2^-1 x 1.1
        {0x1.0p-128, "010000000000"},
        {0x1.fffffffffep126, "ffffffffff7f"}, // the largest: 40 bits of significand
    };
    for (const auto &c : cases) {
        const Real48 value = Real48::from(c.value);
        EXPECT_EQ(Real48Hex(value).toStdString(), c.hex) << c.value;
        const auto back = Real48FromHex(QString::fromLatin1(c.hex));
        ASSERT_TRUE(back.has_value()) << c.hex;
        EXPECT_TRUE(SameBits(back->value(), c.value)) << c.hex;
    }
    for (const char *bad : {"81000000000", "8100000000c0a", "81000000000g", ""})
        EXPECT_FALSE(Real48FromHex(QString::fromLatin1(bad)).has_value()) << bad;
}

TEST(Worksheet, EveryValueReadsBackBitForBit) {
    const double inf = std::numeric_limits<double>::infinity();
    const double odd[] = {0.1,
                          -0.0,
                          inf,
                          -inf,
                          std::nan(""),
                          5e-324,
                          1.7976931348623157e308,
                          1.0 / 3,
                          9007199254740993.0,
                          -2.2250738585072014e-308,
                          1e23};
    Worksheet sheet;
    sheet.width = 7;
    sheet.height = 10000;
    sheet.ranges = {-0.1, 1e-300, 1.0 / 3, 1e300};
    sheet.home = {-10, 10, -10, 10};
    sheet.precision = 1000;
    sheet.axesColor = 0xFF;
    sheet.graphColor = 0xFFFFFF;
    sheet.backgroundColor = kButtonFaceColor;
    sheet.options.numbers = sheet.options.legend = true;
    for (double v : odd) {
        FieldItem label;
        label.kind = FieldItem::Label;
        label.text = QStringLiteral("ъ \"\\\n");
        label.x = v;
        label.y = -v;
        sheet.items.push_back(label);
    }
    FieldItem build;
    build.formula = "sin(x)^2+0,5";
    build.interval = build.hidden = true;
    build.intervalFrom = 1.0 / 7;
    build.intervalTo = -0.0;
    sheet.items.push_back(build);
    FieldItem tick;
    tick.kind = FieldItem::Tick;
    tick.markX = Real48::from(-1.0L / 3);
    tick.markY = Real48::from(1e38L);
    sheet.items.push_back(tick);

    const WorksheetRead read = ParseWorksheet(WorksheetJson(sheet));
    ASSERT_TRUE(read.sheet.has_value()) << read.fault.toStdString();
    // Written again, the sheet read back gives the same text: a value that lost a bit (or the
    // sign of -0) would be written otherwise.
    EXPECT_EQ(WorksheetJson(*read.sheet), WorksheetJson(sheet));
    EXPECT_TRUE(SameBits(read.sheet->items[std::size(odd)].intervalTo, -0.0));
    EXPECT_TRUE(read.sheet->items[std::size(odd)].hidden);
}

// A valid sheet with one part replaced.
QByteArray Sheet(const QString &replace = QString(), const QString &with = QString()) {
    QString text = QStringLiteral(
        R"({"format": "kurvanto-worksheet", "version": 1, "width": 640, "height": 440,
 "ranges": {"xmin": -10, "xmax": 10, "ymin": -10, "ymax": 10},
 "home": {"xmin": -10, "xmax": 10, "ymin": -10, "ymax": 10},
 "precision": 1, "colors": {"axes": 0, "graph": 255, "background": 16777215},
 "options": {"grid": true}, "future": [1],
 "items": [{"kind": "build", "formula": "x^2", "color": 255, "axes-color": 0, "precision": 1,
            "hidden": false},
           {"kind": "ticks", "axes-color": 0, "x": "810000000000", "y": "810000000000"}]})");
    if (!replace.isEmpty())
        text.replace(replace, with);
    return text.toUtf8();
}

TEST(Worksheet, BadSheetsAreRefusedWithTheirFault) {
    EXPECT_TRUE(ParseWorksheet(Sheet()).sheet.has_value())
        << ParseWorksheet(Sheet()).fault.toStdString();
    struct {
        const char *name;
        QByteArray bytes;
        const char *fault;
    } const cases[] = {
        {"not json", "{\"format\": ", "это не JSON"},
        {"an array", "[]", "не объект"},
        {"other format", Sheet("kurvanto-worksheet", "x"), "это не лист Курванто"},
        {"newer", Sheet("\"version\": 1", "\"version\": 2"), "лист версии 2"},
        {"no width", Sheet("\"width\": 640,", ""), "нет поля «width»"},
        {"text width", Sheet("640", "\"640\""), "«width» должно быть целым числом от 1 до 10000"},
        {"infinite end", Sheet("\"xmax\": 10", "\"xmax\": \"inf\""),
         "«ranges»: «xmax» должно быть конечным"},
        {"reversed", Sheet("\"ymin\": -10", "\"ymin\": 10"),
         "«ranges»: ymin должно быть меньше ymax"},
        {"empty home",
         Sheet("\"home\": {\"xmin\": -10, \"xmax\": 10", "\"home\": {\"xmin\": -10, \"xmax\": -10"),
         "«home»: xmin должно быть меньше xmax"},
        {"colour", Sheet("\"graph\": 255", "\"graph\": -1"),
         "«colors»: «graph» должно быть цветом"},
        {"flag", Sheet("\"grid\": true", "\"grid\": 1"), "«options»: «grid» должно быть true"},
        {"formula", Sheet("x^2", "x^^2"), "элемент 1: ошибка в формуле «x^^2»"},
        {"kind", Sheet("\"ticks\"", "\"arrow\""), "элемент 2: неизвестный вид «arrow»"},
        {"real48", Sheet("\"x\": \"810000000000\"", "\"x\": 1"),
         "элемент 2: «x» должно быть строкой"},
        {"deep", Sheet("[1]", "[[[[[[[[1]]]]]]]]"), "вложенность"},
        {"big", QByteArray(kWorksheetMaxBytes + 1, ' '), "больше 10 МБ"},
    };
    for (const auto &c : cases) {
        const WorksheetRead read = ParseWorksheet(c.bytes);
        EXPECT_FALSE(read.sheet.has_value()) << c.name;
        EXPECT_TRUE(read.fault.contains(QString::fromUtf8(c.fault)))
            << c.name << ": " << read.fault.toStdString();
    }
}

TEST(Worksheet, ItemCountsHaveLimits) {
    const QString build = QStringLiteral(
        R"({"kind": "build", "formula": "x", "color": 0, "axes-color": 0, "precision": 1, "hidden": true})");
    const QString mark =
        QStringLiteral(R"({"kind": "label", "text": "", "color": 0, "x": 0, "y": 0})");
    const auto sheetOf = [&](const QString &item, int count) {
        QStringList items;
        for (int i = 0; i < count; ++i)
            items << item;
        return Sheet(QStringLiteral("\"items\": ["),
                     QStringLiteral("\"items\": [") + items.join(',') + ',');
    };
    // The sheet holds one build and one mark of its own already.
    EXPECT_TRUE(ParseWorksheet(sheetOf(build, 999)).sheet.has_value());
    EXPECT_EQ(ParseWorksheet(sheetOf(build, 1000)).fault, QStringLiteral("графиков больше 1000"));
    EXPECT_TRUE(ParseWorksheet(sheetOf(mark, 9999)).sheet.has_value());
    EXPECT_EQ(ParseWorksheet(sheetOf(mark, 10000)).fault, QStringLiteral("пометок больше 10000"));
}

TEST(Worksheet, AFieldThatCannotDrawTheSheetStaysAsItWas) {
    PlotState state;
    testing::RecordingHost host;
    Field field(state, host);
    SetStartValues(state);
    field.loadOptions({true, false, false, true});
    ASSERT_TRUE(field.build("x^2"));
    const QImage before = field.canvas().image();
    const QByteArray sheetBefore = WorksheetJson(field.worksheet());
    Worksheet bad = field.worksheet();
    bad.ranges.xMin = 0;
    bad.ranges.xMax = 5e-324; // not one unit per pixel left: the build's invalid operation
    const auto fault = field.openWorksheet(bad);
    ASSERT_TRUE(fault.has_value());
    EXPECT_EQ(field.canvas().image(), before);
    EXPECT_EQ(WorksheetJson(field.worksheet()), sheetBefore);

    const WorksheetRead missing = ReadWorksheetFile(QStringLiteral("/nonexistent/b.kurv"));
    EXPECT_TRUE(missing.fault.startsWith(QStringLiteral("Лист «b.kurv»: не удалось открыть")))
        << missing.fault.toStdString();
}

TEST(Worksheet, HiddenBuildsAreNeitherDrawnNorInTheLegend) {
    PlotState state;
    testing::RecordingHost host;
    Field field(state, host);
    SetStartValues(state);
    field.loadOptions({false, false, false, true});
    ASSERT_TRUE(field.build("x"));
    const QImage one = field.canvas().image();
    state.GraphColor = 0xFF;
    ASSERT_TRUE(field.build("x^2"));
    Worksheet sheet = field.worksheet();
    sheet.items.back().hidden = true;
    ASSERT_FALSE(field.openWorksheet(sheet).has_value());
    EXPECT_EQ(field.canvas().image(), one);
}

// The rings of the points of interest come back with the sheet that has them on, and after an
// undo of hiding a build.
TEST(Worksheet, OpenedSheetShowsItsRings) {
    PlotState state;
    testing::RecordingHost host;
    Field field(state, host);
    field.setPointSource([](const DisplayList &, const PlotState &) {
        return std::vector<PointMark>{{0, 0, 0xFF, true, 4}};
    });
    SetStartValues(state);
    field.loadOptions({false, false, false, false, true});
    ASSERT_TRUE(field.build("x"));
    const QImage ringed = field.canvas().image();
    ASSERT_FALSE(field.openWorksheet(field.worksheet()).has_value());
    EXPECT_EQ(field.canvas().image(), ringed);
    field.setBuildHidden(0, false);
    EXPECT_EQ(field.canvas().image(), ringed);
}

} // namespace
} // namespace kurvanto
