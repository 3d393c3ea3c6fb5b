// SPDX-License-Identifier: GPL-3.0-or-later
// kurvanto-cli plot with marks: tick marks, corners and labels drawn after the build, checked
// against the same picture built without them.
#include <QImage>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <set>
#include <utility>

#include "clirunner.h"

namespace {

using Pixel = std::pair<int, int>;

class PlotMarks : public ::testing::Test {
  protected:
    // The example field: 639 x 319, both ranges -10 .. 10, red axes, blue curve.
    QImage Picture(const QStringList &marks, const char *formula = "x*x") {
        const QString file = dir.filePath(QStringLiteral("p%1.bmp").arg(++count));
        const QStringList args =
            QStringList{"plot",          formula,    "-o",           file,           "--width",
                        "639",           "--height", "319",          "--axes-color", "ff0000",
                        "--graph-color", "0000ff",   "--background", "ffffff"} +
            marks;
        const kurvanto::testing::Result r = kurvanto::testing::RunCliArgs(args);
        EXPECT_EQ(r.code, 0) << r.err;
        return QImage(file);
    }

    // The pixels in which two pictures differ.
    static std::set<Pixel> Changed(const QImage &a, const QImage &b) {
        std::set<Pixel> changed;
        for (int y = 0; y < a.height(); ++y)
            for (int x = 0; x < a.width(); ++x)
                if (a.pixel(x, y) != b.pixel(x, y))
                    changed.insert({x, y});
        return changed;
    }

    QTemporaryDir dir;
    int count = 0;
};

const QRgb kRed = qRgb(255, 0, 0), kBlue = qRgb(0, 0, 255);

TEST_F(PlotMarks, TicksAndCornerOfTheExampleField) {
    const QImage plain = Picture({});
    const QImage marked = Picture({"--tick", "1", "1", "--corner", "2"});
    ASSERT_EQ(marked.size(), QSize(639, 320));

    std::set<Pixel> ticks, corner;
    for (int i = 0; i < 7; ++i) {
        ticks.insert({317 + i, 143});
        ticks.insert({352, 156 + i});
    }
    for (int i = 0; i < 64; ++i) {
        corner.insert({384, 96 + i});
        corner.insert({320 + i, 96});
    }
    for (const Pixel &p : ticks)
        EXPECT_EQ(marked.pixel(p.first, p.second), kRed) << p.first << "," << p.second;
    for (const Pixel &p : corner)
        EXPECT_EQ(marked.pixel(p.first, p.second), kBlue) << p.first << "," << p.second;
    for (const Pixel &p : Changed(plain, marked))
        EXPECT_TRUE(ticks.count(p) || corner.count(p)) << p.first << "," << p.second;
    EXPECT_EQ(marked.pixel(384, 160), kRed); // the stroke stops short of the axis row
}

TEST_F(PlotMarks, CornerWithoutAValueLeavesThePicture) {
    const QImage plain = Picture({}, "1/x");
    EXPECT_EQ(Picture({"--corner", "0"}, "1/x"), plain);
}

// Pixels of one colour in the 40 x 12 box whose top-left corner is (column, row).
int CountNear(const QImage &image, int column, int row, QRgb colour) {
    int found = 0;
    for (int y = row; y < row + 12; ++y)
        for (int x = column; x < column + 40; ++x)
            found += image.pixel(x, y) == colour;
    return found;
}

TEST_F(PlotMarks, LabelColourAppliesToTheLabelsAfterIt) {
    const QImage image = Picture({"--label", "-5", "5", "вершина", "--label-color", "ff0000",
                                  "--label", "5", "5", "вершина"},
                                 "0");
    EXPECT_GT(CountNear(image, 160, 80, qRgb(0, 0, 0)), 10); // black: before the colour
    EXPECT_EQ(CountNear(image, 160, 80, kRed), 0);
    EXPECT_GT(CountNear(image, 480, 80, kRed), 10); // red
    EXPECT_EQ(CountNear(image, 480, 80, qRgb(0, 0, 0)), 0);
    EXPECT_EQ(CountNear(image, 100, 200, kRed), 0); // nowhere else
}

struct MarkFailure {
    const char *name;
    QStringList marks;
    int code;
    const char *err; // the whole of standard error; for a usage error (2), what it names
};

class PlotMarkFailures : public PlotMarks, public ::testing::WithParamInterface<MarkFailure> {};

TEST_P(PlotMarkFailures, ExitCodeAndMessage) {
    const MarkFailure &c = GetParam();
    const QString file = dir.filePath(QStringLiteral("f.bmp"));
    const kurvanto::testing::Result r =
        kurvanto::testing::RunCliArgs(QStringList{"plot", "x", "-o", file} + c.marks);
    const QString err = QString::fromStdString(r.err);
    EXPECT_EQ(r.code, c.code);
    if (c.code != 2) {
        EXPECT_EQ(err.toStdString(), c.err);
    } else {
        EXPECT_TRUE(err.contains(QString::fromUtf8(c.err))) << err.toStdString();
        EXPECT_EQ(err.count(QLatin1Char('\n')), 1) << err.toStdString();
    }
    EXPECT_FALSE(QFile::exists(file));
}

INSTANTIATE_TEST_SUITE_P(
    Cli, PlotMarkFailures,
    ::testing::Values(
        MarkFailure{
            "BeyondTheSixByteReal", {"--tick", "1", "1e39"}, 3, "Floating point overflow.\n"},
        MarkFailure{"BeyondThe32BitRange",
                    {"--tick", "1", "1e30"},
                    3,
                    "Invalid floating point operation.\n"},
        MarkFailure{"LabelBeyondThe32BitRange",
                    {"--label", "1e30", "0", "a"},
                    3,
                    "Invalid floating point operation.\n"},
        MarkFailure{"TickMissingY", {"--tick", "1"}, 2, "--tick"},
        MarkFailure{"CornerMalformed", {"--corner", "2,,5"}, 2, "--corner 2,,5"},
        MarkFailure{"LabelMissingText", {"--label", "1", "1"}, 2, "--label"},
        MarkFailure{"BadLabelColour", {"--label-color", "red"}, 2, "--label-color red"}),
    [](const auto &param) { return std::string(param.param.name); });

} // namespace
