// SPDX-License-Identifier: GPL-3.0-or-later
// Edges of the build run that only exact pixels show: where the starting-point search looks
// for its first sample, how a line whose ends lie far beyond the picture crosses it, and an
// interval that is the whole x range. The expected pixels are worked out from the mapping
// (column = Round((x + 10) * 641 / 20), row = Round((YMax - y) / YUnitsPerPixel)) and the
// canvas's line walk (first point covered, last point not), not taken from the run.
#include <QGuiApplication>
#include <algorithm>
#include <gtest/gtest.h>
#include <map>
#include <set>
#include <string>
#include <tuple>
#include <utility>

#include "buildgraph.h"
#include "buildscene.h"

namespace kurvanto {
namespace {

constexpr TColor kRed = 0x0000FF, kBlue = 0xFF0000, kWhite = 0xFFFFFF;

using Pixels = std::set<std::pair<int, int>>;

class BuildGraphEdges : public ::testing::Test, public testing::BuildScene {
  protected:
    void SetUp() override {
        SetStartValues(state);
        state.AxesColor = kBlue;
        state.GraphColor = kRed;
        state.BackgroundColor = kWhite;
    }
    // The curve's pixels (graph colour) inside the given rectangle of the picture.
    Pixels Curve(int left, int top, int right, int bottom) const {
        const QRgb red = Canvas::toQColor(kRed).rgb();
        Pixels found;
        for (int y = top; y <= bottom; ++y)
            for (int x = left; x <= right; ++x)
                if (canvas.image().pixel(x, y) == red)
                    found.insert({x, y});
        return found;
    }
    // For each column holding curve pixels: its first row, last row and pixel count.
    std::map<int, std::tuple<int, int, int>> CurveColumns() const {
        std::map<int, std::tuple<int, int, int>> columns;
        for (const auto &[x, y] :
             Curve(0, 0, canvas.image().width() - 1, canvas.image().height() - 1)) {
            auto [it, added] = columns.try_emplace(x, y, y, 0);
            auto &[first, last, count] = it->second;
            first = std::min(first, y);
            last = std::max(last, y);
            ++count;
            (void)added;
        }
        return columns;
    }
};

// The search accepts the first sample inside the guard band (YMin - 1000 to YMax + 1000),
// not inside the field: x^2 starts at x = -10 (value 100, row -1984), far above the picture,
// and its left branch comes down into the field along the line joining the samples
//   column 219: x = -3.16693, value 10.02942, row Round(-0.6488) = -1
//   column 220: x = -3.13573, value  9.83277, row Round( 3.6873) =  4
//   column 221: x = -3.10452, value  9.63807, row Round( 7.9805) =  8
// The line (219, -1)-(220, 4) covers (219, 0), (219, 1), (220, 2), (220, 3) in the picture;
// (220, 4)-(221, 8) covers (220, 4), (220, 5), (220, 6), (221, 7). A search within the field
// would start the pen at (220, 4) and leave the first four pixels out.
TEST_F(BuildGraphEdges, ParabolaEntersTheFieldFromTheTop) {
    Build("x^2");
    EXPECT_EQ(state.StartValue, 100.0);
    const Pixels expected{{219, 0}, {219, 1}, {220, 2}, {220, 3},
                          {220, 4}, {220, 5}, {220, 6}, {221, 7}};
    EXPECT_EQ(Curve(0, 0, 319, 7), expected);
}

// tg(x) on a field whose y range is -1e-6 to 1e-6 (4.535e-9 per row): every sample lies
// millions of rows away, and only the segments across a zero or across a pole cross the
// picture. Across a pole both ends lie beyond the 32-bit range (rows about -9e9 and 3e10),
// beyond the clip limit, so the segment reaches the canvas clipped; it must still cover
// exactly the column where the exact line crosses the field:
//   pole near -7.85: (68, -9059793477)-(69, 32106083281) crosses at column 68.220
//   pole near -4.71: (169, -15101563790)-(170, 13280993293) at 169.532, column 170
//   pole near -1.57: (270, -45307553476)-(271, 8371095941) at 270.844, column 271
//   and, mirrored, 370.156, 471.468 and 572.780: columns 370, 471 and 573.
// The zero crossings fit the 32-bit range and cover columns 18, 119, 220, 421, 522 and 623;
// at x = 0 the line (320, 3440437)-(321, -3439996) steps to column 321 at row 220.
// Each crossed column is covered over all 441 rows.
TEST_F(BuildGraphEdges, SteepSegmentsBeyondTheClipLimitCrossExactly) {
    state.YMin = -1e-6;
    state.YMax = 1e-6;
    Build("tg(x)");
    std::map<int, std::tuple<int, int, int>> expected;
    for (int column : {18, 68, 119, 170, 220, 271, 370, 421, 471, 522, 573, 623})
        expected[column] = {0, 440, 441};
    expected[320] = {221, 440, 220};
    expected[321] = {0, 220, 221};
    EXPECT_EQ(CurveColumns(), expected);
}

// The interval dialog may return the x range itself. The run on [XMin, XMax] must draw what
// it draws without interval mode: sqrt(x) fails left of zero, so the search walks up to the
// first sample right of zero, x = 0.015601 at column 321, value 0.12490, row 218; the next
// samples give (322, 216) and (323, 214).
TEST_F(BuildGraphEdges, IntervalEqualToTheRangeDrawsTheWholeCurve) {
    Build("sqrt(x)");
    const QImage whole = canvas.image();
    const Pixels start{{321, 217}, {321, 218}, {322, 215}, {322, 216}, {323, 214}};
    EXPECT_EQ(Curve(0, 210, 323, 225), start);

    SetStartValues(state);
    state.AxesColor = kBlue;
    state.GraphColor = kRed;
    state.BackgroundColor = kWhite;
    state.IntervalMode = 1;
    state.IntervalFrom = state.XMin;
    state.IntervalTo = state.XMax;
    canvas.clear();
    Build("sqrt(x)");
    EXPECT_EQ(Curve(0, 210, 323, 225), start);
    EXPECT_EQ(canvas.image(), whole);
}

} // namespace
} // namespace kurvanto
