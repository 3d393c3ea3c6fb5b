// SPDX-License-Identifier: GPL-3.0-or-later
// The canvas: exact pixels of lines (first point covered, last not), clipping far outside
// the picture, colours and the opaque text output.
#include <QGuiApplication>
#include <QPalette>
#include <climits>
#include <gtest/gtest.h>
#include <random>
#include <set>
#include <utility>

#include "canvas.h"
#include "pixels.h"

namespace kurvanto {
namespace {

using Pixels = kurvanto::testing::PixelSet;
using kurvanto::testing::Painted;

Pixels Line(int width, int height, int x0, int y0, int x1, int y1) {
    Canvas canvas;
    canvas.ensure(width, height);
    canvas.moveTo(x0, y0);
    canvas.lineTo(x1, y1);
    EXPECT_EQ(canvas.penPos(), QPoint(x1, y1));
    return Painted(canvas.image());
}

// The classic incremental integer line walk, a half step going back toward the start;
// pixels outside the picture are dropped.
Pixels ReferenceLine(int width, int height, int x0, int y0, int x1, int y1) {
    Pixels pixels;
    const int dx = std::abs(x1 - x0), dy = std::abs(y1 - y0);
    const int sx = x1 < x0 ? -1 : 1, sy = y1 < y0 ? -1 : 1;
    const bool xMajor = dx >= dy;
    const int major = xMajor ? dx : dy, minor = xMajor ? dy : dx;
    int x = x0, y = y0, error = 0;
    for (int i = 0; i < major; ++i) {
        if (x >= 0 && y >= 0 && x < width && y < height)
            pixels.insert({x, y});
        (xMajor ? x : y) += xMajor ? sx : sy;
        error += 2 * minor;
        if (error > major) {
            (xMajor ? y : x) += xMajor ? sy : sx;
            error -= 2 * major;
        }
    }
    return pixels;
}

struct LineCase {
    const char *name;
    int x0, y0, x1, y1;
    Pixels expected;
};

class CanvasLines : public ::testing::TestWithParam<LineCase> {};

TEST_P(CanvasLines, ExactPixels) {
    const LineCase &c = GetParam();
    EXPECT_EQ(Line(10, 8, c.x0, c.y0, c.x1, c.y1), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Canvas, CanvasLines,
    ::testing::Values(
        LineCase{"Horizontal", 2, 3, 7, 3, {{2, 3}, {3, 3}, {4, 3}, {5, 3}, {6, 3}}},
        LineCase{"HorizontalBackwards", 7, 3, 2, 3, {{7, 3}, {6, 3}, {5, 3}, {4, 3}, {3, 3}}},
        LineCase{"Vertical", 4, 1, 4, 5, {{4, 1}, {4, 2}, {4, 3}, {4, 4}}},
        LineCase{"Diagonal", 1, 1, 4, 4, {{1, 1}, {2, 2}, {3, 3}}},
        // A half step (at x = 2 and x = 2 going back) stays on the start's row.
        LineCase{"ShallowTie", 0, 0, 4, 1, {{0, 0}, {1, 0}, {2, 0}, {3, 1}}},
        LineCase{"ShallowTieBackwards", 4, 1, 0, 0, {{4, 1}, {3, 1}, {2, 1}, {1, 0}}},
        LineCase{"Shallow", 0, 0, 6, 2, {{0, 0}, {1, 0}, {2, 1}, {3, 1}, {4, 1}, {5, 2}}},
        LineCase{"Steep", 1, 0, 3, 6, {{1, 0}, {1, 1}, {2, 2}, {2, 3}, {2, 4}, {3, 5}}},
        LineCase{"SteepUpwards", 3, 6, 1, 0, {{3, 6}, {3, 5}, {2, 4}, {2, 3}, {2, 2}, {1, 1}}},
        LineCase{"ZeroLength", 3, 3, 3, 3, {}},
        LineCase{"EntersFromTopLeft", -5, -5, 3, 3, {{0, 0}, {1, 1}, {2, 2}}},
        LineCase{"LeavesRightEdge", 6, 2, 40, 2, {{6, 2}, {7, 2}, {8, 2}, {9, 2}}},
        LineCase{"WhollyOutside", -20, -3, 30, -1, {}},
        LineCase{"Int32Extremes",
                 INT_MIN,
                 5,
                 INT_MAX,
                 5,
                 {{0, 5}, {1, 5}, {2, 5}, {3, 5}, {4, 5}, {5, 5}, {6, 5}, {7, 5}, {8, 5}, {9, 5}}},
        LineCase{"HugeDiagonal",
                 -1000000000,
                 -1000000000,
                 1000000000,
                 1000000000,
                 {{0, 0}, {1, 1}, {2, 2}, {3, 3}, {4, 4}, {5, 5}, {6, 6}, {7, 7}}},
        // Row 0 is just past the middle of this line: already its second column.
        LineCase{"HugeSteepThroughCorner",
                 0,
                 INT_MIN,
                 1,
                 INT_MAX,
                 {{1, 0}, {1, 1}, {1, 2}, {1, 3}, {1, 4}, {1, 5}, {1, 6}, {1, 7}}}),
    [](const auto &param) { return std::string(param.param.name); });

TEST(Canvas, ClippedLinesMatchTheUnclippedWalk) {
    std::mt19937 random(20240);
    std::uniform_int_distribution<int> coordinate(-60, 70);
    for (int i = 0; i < 2000; ++i) {
        const int x0 = coordinate(random), y0 = coordinate(random);
        const int x1 = coordinate(random), y1 = coordinate(random);
        ASSERT_EQ(Line(40, 30, x0, y0, x1, y1), ReferenceLine(40, 30, x0, y0, x1, y1))
            << x0 << "," << y0 << " -> " << x1 << "," << y1;
    }
}

TEST(Canvas, ConsecutiveLinesJoinWithoutGaps) {
    Canvas canvas;
    canvas.ensure(10, 10);
    canvas.moveTo(1, 1);
    canvas.lineTo(5, 1);
    canvas.lineTo(5, 4); // its first point is the end the previous line left out
    EXPECT_EQ(Painted(canvas.image()),
              (Pixels{{1, 1}, {2, 1}, {3, 1}, {4, 1}, {5, 1}, {5, 2}, {5, 3}}));
}

TEST(Canvas, WidePenAndDottedStyle) {
    Canvas canvas;
    canvas.ensure(40, 10);
    canvas.setPenWidth(3);
    canvas.moveTo(2, 5);
    canvas.lineTo(6, 5);
    EXPECT_EQ(Painted(canvas.image()).size(), 18u); // a 3 x 3 square on each of 4 pixels
    canvas.clear();
    canvas.ensure(40, 10);
    canvas.setPenWidth(1);
    canvas.setPenStyle(Qt::DotLine);
    canvas.moveTo(0, 0);
    canvas.lineTo(12, 0);
    EXPECT_EQ(Painted(canvas.image()), (Pixels{{0, 0}, {1, 0}, {2, 0}, {6, 0}, {7, 0}, {8, 0}}));
}

TEST(Canvas, EmptyPictureIsCreatedWhiteOnFirstUse) {
    Canvas canvas;
    EXPECT_TRUE(canvas.isEmpty());
    canvas.lineTo(3, 3); // nothing to draw on: no effect but the pen position
    canvas.ensure(12, 7);
    ASSERT_FALSE(canvas.isEmpty());
    EXPECT_EQ(canvas.image().size(), QSize(12, 7));
    EXPECT_EQ(canvas.image().format(), QImage::Format_RGB32);
    EXPECT_TRUE(Painted(canvas.image()).empty());
    canvas.ensure(30, 30); // an existing picture keeps its size
    EXPECT_EQ(canvas.image().size(), QSize(12, 7));
    canvas.clear();
    EXPECT_TRUE(canvas.isEmpty());
}

TEST(Canvas, FillRectUsesTheBrushAndStaysInside) {
    Canvas canvas;
    canvas.ensure(6, 6);
    canvas.setBrushColor(0x00FF00);
    canvas.fillRect(QRect(4, 4, 100, 100));
    EXPECT_EQ(Painted(canvas.image()), (Pixels{{4, 4}, {4, 5}, {5, 4}, {5, 5}}));
    EXPECT_EQ(canvas.image().pixel(5, 5), qRgb(0, 255, 0));
}

struct ColorCase {
    TColor value;
    QColor expected;
};

TEST(Canvas, ColourValues) {
    const QPalette palette = QGuiApplication::palette();
    const ColorCase cases[] = {
        {0x0000FF, QColor(255, 0, 0)}, // the low byte is red
        {0xFF0000, QColor(0, 0, 255)}, // the third byte is blue
        {0x123456, QColor(0x56, 0x34, 0x12)},
        {0x8000000F, palette.color(QPalette::Active, QPalette::Button)}, // button face
        {0x80000005, palette.color(QPalette::Active, QPalette::Base)},   // window background
        {0x80000008, palette.color(QPalette::Active, QPalette::Text)},   // window text
    };
    for (const ColorCase &c : cases)
        EXPECT_EQ(Canvas::toQColor(c.value), c.expected) << std::hex << c.value;
}

TEST(Canvas, TextIsOpaqueInTheBrushColour) {
    Canvas canvas;
    canvas.ensure(80, 30);
    canvas.setBrushColor(0x00FF00);
    canvas.setFontColor(0x0000FF);
    canvas.textOut(5, 5, QStringLiteral("Ш8"));
    const QImage &image = canvas.image();
    int green = 0, red = 0;
    for (const auto &[x, y] : Painted(image)) {
        EXPECT_GE(x, 5);
        EXPECT_GE(y, 5);
        green += image.pixel(x, y) == qRgb(0, 255, 0);
        red += image.pixel(x, y) == qRgb(255, 0, 0);
    }
    EXPECT_GT(green, 0);
    EXPECT_GT(red, 0);
    EXPECT_EQ(image.pixel(5, 5), qRgb(0, 255, 0)); // the box starts at the given corner
}

} // namespace
} // namespace kurvanto
