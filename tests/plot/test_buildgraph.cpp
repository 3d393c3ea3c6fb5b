// SPDX-License-Identifier: GPL-3.0-or-later
// The build-graph run, judged by the picture it leaves and the state it stores.
#include <QGuiApplication>
#include <QPalette>
#include <cmath>
#include <gtest/gtest.h>
#include <string>

#include "buildgraph.h"
#include "buildscene.h"
#include "errors.h"
#include "formula.h"

namespace kurvanto {
namespace {

constexpr TColor kRed = 0x0000FF, kGreen = 0x00FF00, kBlue = 0xFF0000, kWhite = 0xFFFFFF;
// Rows 1 to 439 of column 320 and columns 1 to 639 of row 220, crossing once.
constexpr int kAxesPixels = 439 + 639 - 1;

struct Extent {
    int count = 0, minX = INT32_MAX, maxX = INT32_MIN, minY = INT32_MAX, maxY = INT32_MIN;
};

class BuildGraphTest : public ::testing::Test, public testing::BuildScene {
  protected:
    void SetUp() override {
        SetStartValues(state);
        state.AxesColor = kBlue;
        state.GraphColor = kRed;
        state.BackgroundColor = kWhite;
        host.state = &state;
    }

    // Where the pixels of one colour are.
    Extent Find(TColor color) const {
        const QRgb rgb = Canvas::toQColor(color).rgb();
        const QImage &image = canvas.image();
        Extent e;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                if (image.pixel(x, y) == rgb) {
                    ++e.count;
                    e.minX = std::min(e.minX, x), e.maxX = std::max(e.maxX, x);
                    e.minY = std::min(e.minY, y), e.maxY = std::max(e.maxY, y);
                }
        return e;
    }
    bool ColumnHas(int x, TColor color) const {
        for (int y = 0; y < canvas.image().height(); ++y)
            if (At(x, y) == Canvas::toQColor(color).rgb())
                return true;
        return false;
    }
};

TEST(PlotStateTest, StartValues) {
    PlotState s;
    SetStartValues(s);
    EXPECT_EQ(s.FieldWidth, 640);
    EXPECT_EQ(s.FieldHeight, 440);
    EXPECT_EQ(s.BackgroundColor, 0x8000000Fu);
    EXPECT_EQ(s.Precision, 1);
    EXPECT_EQ(s.ClearPending, 1);
    EXPECT_EQ(s.GraphPresent, 0);
    EXPECT_EQ(s.XUnitsPerPixel, 0);
    EXPECT_EQ(s.YUnitsPerPixel, 0);
    EXPECT_EQ(s.IntervalFrom, -10);
    EXPECT_EQ(s.IntervalTo, 10);
    EXPECT_EQ(s.DialogWidth, 640);
    EXPECT_EQ(s.DialogXMin, -10);
}

TEST_F(BuildGraphTest, ParabolaOnTheStartValues) {
    SetStartValues(state); // black on the button face
    Build("x^2-3");
    ASSERT_EQ(canvas.image().size(), QSize(640, 441));
    const QRgb black = qRgb(0, 0, 0);
    EXPECT_EQ(At(320, 1), black);
    EXPECT_EQ(At(320, 439), black);
    EXPECT_NE(At(320, 440), black); // the axis leaves out its last point
    EXPECT_NE(At(320, 0), black);
    EXPECT_EQ(At(1, 220), black);
    EXPECT_NE(At(0, 220), black);
    EXPECT_EQ(At(320, 287), black); // the vertex, -3
    EXPECT_EQ(At(5, 5), QGuiApplication::palette().color(QPalette::Button).rgb());
    EXPECT_DOUBLE_EQ(state.XUnitsPerPixel, 20.0 / 641);
    EXPECT_DOUBLE_EQ(state.YUnitsPerPixel, 20.0 / 441);
    EXPECT_EQ(state.ReadoutXUnitsPerPixel, state.XUnitsPerPixel);
    EXPECT_EQ(state.ReadoutYUnitsPerPixel, state.YUnitsPerPixel);
    EXPECT_EQ(state.GraphPresent, 1);
    EXPECT_EQ(state.ClearPending, 0);
    EXPECT_TRUE(host.readouts);
    EXPECT_FALSE(host.errorLabel);
    EXPECT_EQ(host.intervalRequests, 0);
}

// Every curve pixel of the straight line y = x lies within a pixel of the exact line.
TEST_F(BuildGraphTest, StraightLineFollowsTheMapping) {
    Build("x");
    const Extent e = Find(kRed);
    EXPECT_EQ(e.minX, 1); // the start point (0, 441) lies one row below the picture
    EXPECT_EQ(e.maxX, 639);
    const QRgb red = Canvas::toQColor(kRed).rgb();
    for (int x = 1; x < 640; ++x) {
        ASSERT_TRUE(ColumnHas(x, kRed) || x == 320) << x; // the axis column is over it
        for (int y = 0; y < 441; ++y)
            if (At(x, y) == red) {
                const double value = -10 + x * state.XUnitsPerPixel;
                EXPECT_NEAR(y, (10 - value) / state.YUnitsPerPixel, 1.0) << x;
            }
    }
}

TEST_F(BuildGraphTest, ReciprocalIsJoinedAcrossZero) {
    Build("1/x");
    // Samples next to 0 give about -64 and 64: one almost vertical line through the field.
    for (int y : {1, 100, 220, 300, 439}) {
        const bool near = At(320, y) == Canvas::toQColor(kRed).rgb() ||
                          At(321, y) == Canvas::toQColor(kRed).rgb();
        EXPECT_TRUE(near) << y;
    }
}

TEST_F(BuildGraphTest, SquareRootStartsRightOfZeroAndReachesTheEdge) {
    Build("sqrt(x)");
    const Extent e = Find(kRed);
    EXPECT_EQ(e.minX, 321); // x of about 0.0156
    EXPECT_EQ(e.maxX, 639);
    EXPECT_EQ(e.minY, 151); // the last sample, sqrt(10) = 3.16, is in row 150.78
    EXPECT_EQ(state.GraphPresent, 1);
}

struct IntervalCase {
    const char *name;
    double from, to;
    int minX, maxX; // -1: no curve
};

class IntervalTest : public BuildGraphTest, public ::testing::WithParamInterface<IntervalCase> {};

TEST_P(IntervalTest, CurveCoversOnlyTheInterval) {
    const IntervalCase &c = GetParam();
    state.IntervalMode = 1;
    host.from = c.from;
    host.to = c.to;
    Build("x");
    EXPECT_EQ(host.intervalRequests, 1);
    EXPECT_EQ(state.IntervalFrom, c.from);
    const Extent e = Find(kRed);
    if (c.minX < 0) {
        EXPECT_EQ(e.count, 0);
    } else {
        EXPECT_EQ(e.minX, c.minX);
        EXPECT_EQ(e.maxX, c.maxX);
    }
    EXPECT_GE(Find(kBlue).count, kAxesPixels - 2); // the axes, under the curve where it crosses
    EXPECT_EQ(state.GraphPresent, 1);
}

INSTANTIATE_TEST_SUITE_P(BuildGraph, IntervalTest,
                         ::testing::Values(IntervalCase{"TwoToFive", 2, 5, 385, 480},
                                           IntervalCase{"Reversed", 5, 2, -1, -1},
                                           IntervalCase{"Whole", -10, 10, 1, 639}),
                         [](const auto &param) { return std::string(param.param.name); });

TEST_F(BuildGraphTest, ConstantAboveTheGuardBandDrawsOnlyTheAxes) {
    Build("5000");
    EXPECT_EQ(Find(kRed).count, 0);
    EXPECT_EQ(Find(kBlue).count, kAxesPixels);
    EXPECT_EQ(state.GraphPresent, 1);
    EXPECT_EQ(state.ClearPending, 0);
    EXPECT_EQ(state.StartValue, 5000);
}

TEST_F(BuildGraphTest, ZeroXMinPutsTheAxisInColumnZero) {
    state.XMin = 0;
    Build("x");
    const QRgb blue = Canvas::toQColor(kBlue).rgb();
    EXPECT_EQ(At(0, 1), blue);
    EXPECT_EQ(At(0, 300), blue);
}

TEST_F(BuildGraphTest, SecondBuildWithoutClearKeepsTheFirstCurve) {
    Build("x");
    EXPECT_EQ(state.ClearPending, 0);
    state.GraphColor = kGreen;
    Build("0-x");
    EXPECT_GT(Find(kRed).count, 500);
    EXPECT_GT(Find(kGreen).count, 500);
    EXPECT_TRUE(ColumnHas(100, kRed));
    EXPECT_TRUE(ColumnHas(100, kGreen));
}

TEST_F(BuildGraphTest, ClearPendingEmptiesAndFillsThePicture) {
    Build("x");
    state.ClearPending = 1;
    state.BackgroundColor = kGreen;
    state.GraphColor = kBlue;
    Build("5000");
    EXPECT_EQ(Find(kRed).count, 0);
    EXPECT_EQ(Find(kGreen).count, 640 * 441 - kAxesPixels);
}

TEST_F(BuildGraphTest, EmptyFormulaFillsTheFieldThenShowsTheError) {
    state.BackgroundColor = kGreen;
    Build("");
    ASSERT_FALSE(canvas.isEmpty());
    EXPECT_EQ(Find(kGreen).count, 640 * 441);
    EXPECT_TRUE(host.errorLabel);
    EXPECT_FALSE(host.readouts);
    EXPECT_EQ(state.GraphPresent, 0);
    EXPECT_EQ(state.ClearPending, 1);
    Build("x"); // a later run that passes the trial hides it
    EXPECT_FALSE(host.errorLabel);
}

TEST_F(BuildGraphTest, RefusedFormulaLeavesThePictureUntouched) {
    state.XMin = -5;
    Build("2x");
    EXPECT_TRUE(canvas.isEmpty());
    EXPECT_TRUE(host.errorLabel);
    EXPECT_EQ(state.IntervalFrom, -5); // the interval and the scale are stored first
    EXPECT_DOUBLE_EQ(state.XUnitsPerPixel, 15.0 / 641);
    EXPECT_EQ(state.ClearPending, 1);
}

TEST_F(BuildGraphTest, ConversionErrorEndsTheRunBeforeThePicture) {
    try {
        Build("2,,5");
        FAIL() << "no error";
    } catch (const ConversionError &error) {
        EXPECT_STREQ(error.what(), "'2,,5' is not a valid floating point value");
    }
    EXPECT_TRUE(canvas.isEmpty());
    EXPECT_FALSE(host.errorLabel);
}

TEST_F(BuildGraphTest, EmptyRangeIsAnInvalidOperation) {
    state.XMin = state.XMax = 0;
    SetFormulaText("x+1");
    try {
        Build("x");
        FAIL() << "no error";
    } catch (const InvalidOperation &error) {
        EXPECT_STREQ(error.what(), "Invalid floating point operation");
    }
    EXPECT_STREQ(FormulaText, "x+1"); // not copied
    EXPECT_EQ(state.XUnitsPerPixel, 0);
    EXPECT_EQ(state.IntervalFrom, 0);
    EXPECT_TRUE(canvas.isEmpty());
    EXPECT_EQ(state.ClearPending, 1);

    SetStartValues(state);
    state.YMin = state.YMax = 0;
    EXPECT_THROW(Build("x"), InvalidOperation);
}

// A start point whose row lies beyond the 32-bit range is a point far beyond the field like
// any other: the run completes, and what of the curve crosses the field is drawn there. The
// line x on y within 1e-9 runs from row 1e13 below to row 1e13 above, crossing zero at
// column 320.5, so it is one vertical stroke over the whole height.
struct FarStartCase {
    const char *name;
    const char *formula;
    double ymin, ymax;
    int curvePixels; // -1: the whole height in columns 320 and 321
};
void PrintTo(const FarStartCase &c, std::ostream *os) {
    *os << c.name;
}

class FarStart : public BuildGraphTest, public ::testing::WithParamInterface<FarStartCase> {};

TEST_P(FarStart, RowBeyondTheIntegerRangeIsClipped) {
    state.YMin = GetParam().ymin;
    state.YMax = GetParam().ymax;
    Build(GetParam().formula);
    EXPECT_EQ(state.GraphPresent, 1);
    EXPECT_TRUE(host.readouts);
    const Extent e = Find(kRed);
    if (GetParam().curvePixels >= 0) {
        EXPECT_EQ(e.count, GetParam().curvePixels);
        return;
    }
    EXPECT_EQ(e.minY, 0);
    EXPECT_EQ(e.maxY, 440);
    EXPECT_GE(e.minX, 320);
    EXPECT_LE(e.maxX, 321);
}

INSTANTIATE_TEST_SUITE_P(BuildGraph, FarStart,
                         ::testing::Values(FarStartCase{"HugeValue", "10^300", -10, 10, 0},
                                           FarStartCase{"TinyYRange", "x", -1e-9, 1e-9, -1}),
                         [](const auto &row) { return std::string(row.param.name); });

// With a tiny y range the rows of the samples lie far beyond the 32-bit range; the visible
// part of the line is still drawn where it belongs.
TEST_F(BuildGraphTest, RowsBeyondTheIntegerRangeAreClipped) {
    state.YMin = -1e-9;
    state.YMax = 1e-9;
    state.IntervalMode = 1;
    host.from = 0;
    host.to = 10;
    Build("x");
    const Extent e = Find(kRed);
    EXPECT_EQ(e.minX, 320);
    EXPECT_EQ(e.maxX, 320);
    EXPECT_EQ(e.minY, 0);
    EXPECT_EQ(e.maxY, 220);
    EXPECT_EQ(state.GraphPresent, 1);
}

// An x step too small to move x ends the search instead of repeating one sample forever.
TEST_F(BuildGraphTest, StepBelowTheResolutionOfXEnds) {
    state.XMin = 1e6;
    state.XMax = 1e6 + 1e-9;
    Build("5000");
    EXPECT_EQ(state.GraphPresent, 1);
    EXPECT_EQ(Find(kRed).count, 0);
}

// A formula malformed at every sample, whose "f" the trial at 2 does not see (a later "m"
// wins there), is not a formula the program accepts: the run refuses it and ends.
TEST_F(BuildGraphTest, MalformedAtEverySampleButTheTrialEnds) {
    Build("foo(x)+1/(x-2)");
    EXPECT_EQ(state.GraphPresent, 0);
    EXPECT_TRUE(host.errorLabel);
    EXPECT_EQ(Find(kRed).count, 0);
}

} // namespace
} // namespace kurvanto
