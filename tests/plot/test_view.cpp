// SPDX-License-Identifier: GPL-3.0-or-later
// Zooming and moving the view, on the main window's start values: a 640 x 440 field (641 x 441
// pixels of scale) with both ranges -10 .. 10, so one x pixel is 20/641 and one y pixel 20/441.
#include <cmath>
#include <gtest/gtest.h>
#include <limits>
#include <string>

#include "view.h"

namespace kurvanto {
namespace {

constexpr double kX = 20.0 / 641; // units per pixel at the start
constexpr double kY = 20.0 / 441;

PlotState Start(std::int32_t precision = 1) {
    PlotState state;
    SetStartValues(state);
    state.Precision = precision;
    return state;
}

void ExpectView(const PlotState &state, double xMin, double xMax, double yMin, double yMax) {
    EXPECT_NEAR(state.XMin, xMin, 1e-9);
    EXPECT_NEAR(state.XMax, xMax, 1e-9);
    EXPECT_NEAR(state.YMin, yMin, 1e-9);
    EXPECT_NEAR(state.YMax, yMax, 1e-9);
}

TEST(ViewZoom, AboutTheCentreHalvesBothRanges) {
    PlotState state = Start();
    ASSERT_TRUE(ZoomAtCentre(state, 2));
    ExpectView(state, -5, 5, -5, 5);
    // The scales follow, for the build and the read-out alike.
    EXPECT_DOUBLE_EQ(state.XUnitsPerPixel, 10.0 / 641);
    EXPECT_DOUBLE_EQ(state.ReadoutXUnitsPerPixel, 10.0 / 641);
    EXPECT_DOUBLE_EQ(state.YUnitsPerPixel, 10.0 / 441);
    EXPECT_DOUBLE_EQ(state.ReadoutYUnitsPerPixel, 10.0 / 441);
}

TEST(ViewZoom, AboutTheTopLeftCornerKeepsThatCorner) {
    PlotState state = Start();
    ASSERT_TRUE(ZoomAbout(state, 0, 0, 4));
    ExpectView(state, -10, -5, 5, 10);
    ASSERT_TRUE(ZoomAbout(state, 0, 0, 0.25)); // and back out
    ExpectView(state, -10, 10, -10, 10);
}

struct PointCase {
    const char *name;
    double pixelX, pixelY, factor;
};

class ViewZoomPoint : public ::testing::TestWithParam<PointCase> {};

// The graph point under the pixel, by the read-out's formula, is the same before and after.
TEST_P(ViewZoomPoint, StaysUnderThePixel) {
    const PointCase &c = GetParam();
    PlotState state = Start();
    const double x = -10 + c.pixelX * kX, y = 10 - c.pixelY * kY;
    ASSERT_TRUE(ZoomAbout(state, c.pixelX, c.pixelY, c.factor));
    EXPECT_NEAR(state.XMin + c.pixelX * state.ReadoutXUnitsPerPixel, x, 1e-9);
    EXPECT_NEAR(state.YMax - c.pixelY * state.ReadoutYUnitsPerPixel, y, 1e-9);
    EXPECT_NEAR(state.XMax - state.XMin, 20 / c.factor, 1e-9);
    EXPECT_NEAR(state.YMax - state.YMin, 20 / c.factor, 1e-9);
}

INSTANTIATE_TEST_SUITE_P(Points, ViewZoomPoint,
                         ::testing::Values(PointCase{"x2_y1_in", 384.6, 198.45, 1.25},
                                           PointCase{"x2_y1_out", 384.6, 198.45, 0.8},
                                           PointCase{"bottomRight_in", 640, 440, 3},
                                           PointCase{"leftEdge_deep", 0, 220, 1e6},
                                           PointCase{"beyondThePicture", -50, 500, 2}),
                         [](const auto &param) { return std::string(param.param.name); });

struct RefusedCase {
    const char *name;
    double xMin, xMax; // the view before, y stays -10 .. 10
    std::int32_t precision;
    double factor;
};

class ViewZoomRefused : public ::testing::TestWithParam<RefusedCase> {};

TEST_P(ViewZoomRefused, LeavesTheViewAsItWas) {
    const RefusedCase &c = GetParam();
    PlotState state = Start(c.precision);
    state.XMin = c.xMin;
    state.XMax = c.xMax;
    state.XUnitsPerPixel = 123; // untouched when refused
    EXPECT_FALSE(ZoomAtCentre(state, c.factor));
    ExpectView(state, c.xMin, c.xMax, -10, 10);
    EXPECT_EQ(state.XUnitsPerPixel, 123);
}

INSTANTIATE_TEST_SUITE_P(
    Refused, ViewZoomRefused,
    ::testing::Values(
        // Out to 20000 / 0.0009: beyond the dialog's 10000.
        RefusedCase{"beyondTheBounds", -10, 10, 1, 0.0009},
        // At 10000 one double is 1.8e-12 apart; a step of 10/641/1e12 does not move x.
        RefusedCase{"stepTooSmallForX", 9990, 10000, 1, 1e12},
        // The same view at 1e9 moves x by 1.6e-11 a sample, but a hundred samples per pixel
        // make that 1.6e-13.
        RefusedCase{"stepTooSmallWithPrecision", 9990, 10000, 100, 1e9},
        RefusedCase{"emptyRange", 0, 0, 1, 2}, RefusedCase{"zeroFactor", -10, 10, 1, 0},
        RefusedCase{"negativeFactor", -10, 10, 1, -2},
        RefusedCase{"nanFactor", -10, 10, 1, std::numeric_limits<double>::quiet_NaN()},
        RefusedCase{"infiniteFactor", -10, 10, 1, std::numeric_limits<double>::infinity()}),
    [](const auto &param) { return std::string(param.param.name); });

TEST(ViewZoom, ReachesTheBoundsAndTheFinestStepAllowed) {
    PlotState state = Start();
    ASSERT_TRUE(ZoomAtCentre(state, 0.001)); // exactly the dialog's bounds
    ExpectView(state, -10000, 10000, -10000, 10000);

    PlotState fine = Start();
    fine.XMin = 9990;
    fine.XMax = 10000;
    EXPECT_TRUE(ZoomAtCentre(fine, 1e9)); // 1.6e-11 a sample still moves x at 10000
}

TEST(ViewPan, HundredPixelsRightLowersBothXEnds) {
    PlotState state = Start();
    ASSERT_TRUE(Pan(state, 100, 0));
    // 100 * 20 / 641 = 3.1201248049921997
    ExpectView(state, -13.1201248049922, 6.8798751950078, -10, 10);
}

TEST(ViewPan, TheWholeHeightDownRaisesYByItsRange) {
    PlotState state = Start();
    ASSERT_TRUE(Pan(state, 0, 441));
    ExpectView(state, -10, 10, 10, 30);
    ASSERT_TRUE(Pan(state, 0, -441));
    ExpectView(state, -10, 10, -10, 10);
}

TEST(ViewPan, StopsAtTheBounds) {
    PlotState state = Start();
    ASSERT_TRUE(Pan(state, 641 * 1000.0, -441 * 1000.0)); // 20000 units: down and left
    ExpectView(state, -10000, -9980, -10000, -9980);
    EXPECT_FALSE(Pan(state, 10, -10)); // already there: nothing moves
    ExpectView(state, -10000, -9980, -10000, -9980);
    ASSERT_TRUE(Pan(state, -10, 0)); // back the other way is free
    EXPECT_NEAR(state.XMin, -10000 + 10 * kX, 1e-9);
}

TEST(ViewPan, FromTheDragsStartAddsUpExactly) {
    PlotState state = Start();
    const ViewRanges from = CurrentView(state);
    ViewRanges last = from;
    for (int dx = 1; dx <= 100; ++dx) // every move taken from the start, as a drag does
        last = Panned(state, from, dx, 0);
    EXPECT_DOUBLE_EQ(last.xMin, -10 - 100 * kX);
    EXPECT_DOUBLE_EQ(last.xMax, 10 - 100 * kX);
    EXPECT_EQ(last.yMin, -10);
    EXPECT_EQ(last.yMax, 10);
}

TEST(ViewPan, NotANumberMovesNothing) {
    PlotState state = Start();
    EXPECT_FALSE(Pan(state, std::numeric_limits<double>::quiet_NaN(), 0));
    EXPECT_FALSE(Pan(state, 0, 0));
    ExpectView(state, -10, 10, -10, 10);
}

} // namespace
} // namespace kurvanto
