// SPDX-License-Identifier: GPL-3.0-or-later
// kurvanto-cli plot with several formulas on one field, and the vector formats SVG and PDF.
#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <QXmlStreamReader>
#include <gtest/gtest.h>
#include <string>
#include <vector>

#include "clirunner.h"
#include "files.h"

namespace {

using kurvanto::testing::PathIn;
using kurvanto::testing::ReadAll;
using kurvanto::testing::Result;
using kurvanto::testing::RunCli;
using Args = std::vector<std::string>;

const QRgb kRed = qRgb(255, 0, 0), kBlue = qRgb(0, 0, 255), kGreen = qRgb(0, 255, 0);

// The example field: 639 x 319 (the picture one row higher), both ranges -10 .. 10, white
// background, black axes. A column is 1/32 of x, a row 1/16 of y: y = x passes the pixel
// (i, Round(320 - i / 2)), y = 5 the row 80.
const Args kField = {"--width", "639", "--height", "319", "--background", "ffffff"};

struct TwoGraphCase {
    const char *name;
    Args colours; // the arguments around "x" and "--also 5"
    QRgb line, constant;
};

class PlotTwoGraphs : public ::testing::TestWithParam<TwoGraphCase> {
  protected:
    QTemporaryDir dir;
};

TEST_P(PlotTwoGraphs, EachInItsColour) {
    const std::string file = dir.filePath(QStringLiteral("a.png")).toStdString();
    Args args = {"plot", "-o", file};
    args.insert(args.end(), kField.begin(), kField.end());
    args.insert(args.end(), GetParam().colours.begin(), GetParam().colours.end());
    const Result r = RunCli(args);
    ASSERT_EQ(r.code, 0) << r.err;
    const QImage image(QString::fromStdString(file));
    ASSERT_EQ(image.size(), QSize(639, 320));
    const TwoGraphCase &c = GetParam();
    EXPECT_EQ(image.pixel(100, 270), c.line);    // x = -6.875 on y = x
    EXPECT_EQ(image.pixel(500, 70), c.line);     // x = 5.625
    EXPECT_EQ(image.pixel(100, 80), c.constant); // y = 5
    EXPECT_EQ(image.pixel(600, 80), c.constant);
    EXPECT_EQ(image.pixel(480, 80), c.constant); // the crossing at x = 5: the later one on top
    EXPECT_EQ(image.pixel(100, 100), qRgb(255, 255, 255));
}

INSTANTIATE_TEST_SUITE_P(
    Colours, PlotTwoGraphs,
    ::testing::Values(
        TwoGraphCase{"ColourAfterEach",
                     {"x", "--graph-color", "ff0000", "--also", "5", "--graph-color", "0000ff"},
                     kRed,
                     kBlue},
        // A colour before the formula is still the first formula's.
        TwoGraphCase{"FirstColourBeforeFormula",
                     {"--graph-color", "00ff00", "x", "--also", "5", "--graph-color", "0000ff"},
                     kGreen,
                     kBlue},
        // Without a colour of its own the added formula takes the first one's.
        TwoGraphCase{"AddedTakesFirstColour",
                     {"x", "--also", "5", "--graph-color", "ff0000"},
                     qRgb(0, 0, 0),
                     kRed},
        TwoGraphCase{
            "AddedWithoutColour", {"x", "--graph-color", "0000ff", "--also", "5"}, kBlue, kBlue}),
    [](const auto &row) { return std::string(row.param.name); });

class PlotVector : public ::testing::Test {
  protected:
    QTemporaryDir dir;
};

// The elements of an SVG document by name, and whether it parsed.
struct SvgCount {
    int polylines = 0, texts = 0, gridGroups = 0;
    QStringList textContent;
    bool wellFormed = false;
};

SvgCount CountSvg(const std::string &bytes, const QString &gridStroke) {
    SvgCount count;
    QXmlStreamReader xml(QByteArray::fromStdString(bytes));
    while (!xml.atEnd()) {
        xml.readNext();
        if (!xml.isStartElement())
            continue;
        if (xml.name() == QLatin1String("g") && xml.attributes().value("stroke") == gridStroke) {
            ++count.gridGroups;
        } else if (xml.name() == QLatin1String("polyline")) {
            ++count.polylines;
        } else if (xml.name() == QLatin1String("text")) {
            ++count.texts;
            count.textContent << xml.readElementText(QXmlStreamReader::IncludeChildElements);
        }
    }
    count.wellFormed = !xml.hasError();
    return count;
}

TEST_F(PlotVector, SvgWithGridNumbersAndLegend) {
    const std::string file = PathIn(dir, "a.svg");
    const Result r = RunCli(
        {"plot", "x^2", "--grid", "--numbers", "--legend", "-o", file, "--background", "ffffff"});
    ASSERT_EQ(r.code, 0) << r.err;
    const SvgCount svg = CountSvg(ReadAll(file), QStringLiteral("#d8d8d8"));
    ASSERT_TRUE(svg.wellFormed);
    // The grid in its colour (white with 3/20 of black: 216): x by 2 (20 units on 641 columns,
    // at least 50 columns apart: 1.56 rounds up to 2), 11 lines from -10 to 10; y by 5 (20
    // units on 441 rows: 2.27 rounds up to 5), 5 lines.
    EXPECT_EQ(svg.gridGroups, 16);
    EXPECT_TRUE(svg.textContent.contains(QStringLiteral("x^2")));
    EXPECT_TRUE(svg.textContent.contains(QStringLiteral("-6")));
    // The numbers -8 .. 8 but 0 on x and -5, 5 on y (those at the edges would be cut), and
    // the legend's one line.
    EXPECT_EQ(svg.texts, 8 + 2 + 1);
}

TEST_F(PlotVector, FormatOptionDecides) {
    struct Row {
        const char *format, *name, *magic;
    };
    for (const Row &row :
         {Row{"svg", "a.bmp", "<?xml"}, Row{"pdf", "b.png", "%PDF-"}, Row{"PDF", "c", "%PDF-"},
          Row{nullptr, "d.PDF", "%PDF-"}, Row{nullptr, "e.Svg", "<?xml"}}) {
        Args args = {"plot", "sin(x)", "-o", PathIn(dir, row.name)};
        if (row.format != nullptr)
            args.insert(args.end(), {"--format", row.format});
        const Result r = RunCli(args);
        ASSERT_EQ(r.code, 0) << row.name << r.err;
        const std::string bytes = ReadAll(PathIn(dir, row.name));
        EXPECT_EQ(bytes.rfind(row.magic, 0), 0u) << row.name;
        if (std::string(row.magic) == "%PDF-") {
            EXPECT_NE(bytes.find("%%EOF", bytes.size() - 16), std::string::npos) << row.name;
        }
    }
}

TEST_F(PlotVector, SvgToStandardOutput) {
    const Result r = RunCli({"plot", "x", "--format", "svg", "-o", "-"});
    ASSERT_EQ(r.code, 0) << r.err;
    EXPECT_TRUE(CountSvg(r.out, QString()).wellFormed);
    EXPECT_GE(CountSvg(r.out, QString()).polylines, 3); // two axes and the line
}

TEST_F(PlotVector, RefusedAddedFormulaWritesNothing) {
    const std::string file = PathIn(dir, "a.svg");
    const Result r = RunCli({"plot", "x", "--also", "sin(", "-o", file});
    EXPECT_EQ(r.code, 1);
    EXPECT_FALSE(QFile::exists(QString::fromStdString(file)));
    const Result missing = RunCli({"plot", "x", "-o", file, "--also"});
    EXPECT_EQ(missing.code, 2) << missing.err;
}

} // namespace
