// SPDX-License-Identifier: GPL-3.0-or-later
// kurvanto-cli plot --grid --numbers --breaks --legend, judged on the picture at the start
// values: x = -10 .. 10 maps to column (x + 10) * 32.05, y = 10 .. -10 to row (10 - y) * 22.05.
#include <QImage>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <vector>

#include "clirunner.h"
#include "pixels.h"

namespace {

const QRgb kRed = qRgb(255, 0, 0), kWhite = qRgb(255, 255, 255);

class PlotField : public ::testing::Test {
  protected:
    QImage Picture(const char *formula, const QStringList &options) {
        const QString file = dir.filePath(QStringLiteral("p%1.png").arg(++count));
        const kurvanto::testing::Result r =
            kurvanto::testing::RunCliArgs(QStringList{"plot", formula, "-o", file, "--graph-color",
                                                      "ff0000", "--background", "ffffff"} +
                                          options);
        EXPECT_EQ(r.code, 0) << r.err;
        return QImage(file).convertToFormat(QImage::Format_RGB32);
    }
    static int Count(const QImage &image, QRgb rgb, int x0, int x1, int y0, int y1) {
        return kurvanto::testing::CountPixels(image, rgb, QRect(QPoint(x0, y0), QPoint(x1, y1)));
    }
    static int NotWhite(const QImage &image, int x0, int x1, int y0, int y1) {
        return (x1 - x0 + 1) * (y1 - y0 + 1) - Count(image, kWhite, x0, x1, y0, y1);
    }

    QTemporaryDir dir;
    int count = 0;
};

TEST_F(PlotField, BreaksLeaveNoLineAtTheHyperbolasPole) {
    // Columns of x = 0 (320) and two each side, rows of y = 5 (110) to y = -5 (331).
    EXPECT_GT(Count(Picture("1/x", {}), kRed, 318, 322, 110, 331), 0);
    const QImage broken = Picture("1/x", {"--breaks"});
    EXPECT_EQ(Count(broken, kRed, 318, 322, 110, 331), 0);
    EXPECT_GT(Count(broken, kRed, 0, 639, 0, 440), 400);
}

TEST_F(PlotField, GridEveryTwoAcrossAndEveryFiveDown) {
    const QImage image = Picture("x^2-3", {"--grid"});
    // The grid's colour: 17/20 of the white background and 3/20 of the black axes.
    const QRgb grid = qRgb(216, 216, 216);
    std::vector<int> columns, rows;
    for (int x = 0; x < 640; ++x)
        if (image.pixel(x, 5) == grid)
            columns.push_back(x);
    for (int y = 0; y < 441; ++y)
        if (image.pixel(610, y) == grid)
            rows.push_back(y);
    EXPECT_EQ(columns, (std::vector<int>{0, 64, 128, 192, 256, 385, 449, 513, 577}));
    EXPECT_EQ(rows, (std::vector<int>{0, 110, 331}));
}

TEST_F(PlotField, NumbersAtTheStepsOfTheAxes) {
    const QImage plain = Picture("x^2-3", {});
    const QImage numbered = Picture("x^2-3", {"--numbers"});
    // "2" under the x axis at column 385, "-8" at column 64; "5" right of the y axis, row 110.
    const int boxes[3][4] = {{379, 395, 223, 240}, {52, 76, 223, 240}, {322, 340, 102, 118}};
    const QRgb black = qRgb(0, 0, 0); // the numbers are in the axes' colour
    for (const auto &b : boxes) {
        EXPECT_EQ(NotWhite(plain, b[0], b[1], b[2], b[3]), 0);
        EXPECT_GT(Count(numbered, black, b[0], b[1], b[2], b[3]), 0);
    }
    EXPECT_EQ(NotWhite(numbered, 385, 385, 250, 440), 0) << "no grid";
    EXPECT_EQ(NotWhite(numbered, 400, 440, 223, 240), 0) << "nothing between the steps";
}

TEST_F(PlotField, LegendInAnEmptyCornerInTheGraphColour) {
    // The rising line fills the top right and bottom left: the top left is the first free.
    const QImage plain = Picture("x", {});
    const QImage legend = Picture("x", {"--legend"});
    EXPECT_GT(Count(legend, kRed, 0, 59, 0, 30), Count(plain, kRed, 0, 59, 0, 30));
    EXPECT_EQ(Count(legend, kRed, 580, 639, 0, 30), Count(plain, kRed, 580, 639, 0, 30));
}

TEST_F(PlotField, EveryOptionWithTheMarksWritesAPicture) {
    const QImage all = Picture("tg(x)", {"--grid", "--numbers", "--breaks", "--legend", "--tick",
                                         "2", "1", "--corner", "1", "--label", "2", "8", "tg"});
    ASSERT_EQ(all.size(), QSize(640, 441));
    EXPECT_EQ(Count(all, kRed, 369, 373, 110, 331), 0) << "no line across x = pi/2";
}

} // namespace
