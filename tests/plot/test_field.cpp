// SPDX-License-Identifier: GPL-3.0-or-later
// The field's options and its display list: grid, numbers, breaks and legend judged on the
// picture at literal positions, and a field drawn again on other ranges.
#include <QImage>
#include <gtest/gtest.h>
#include <string>
#include <vector>

#include "annotation.h"
#include "displaylist.h"
#include "errors.h"
#include "fieldextras.h"
#include "pixels.h"
#include "recordinghost.h"

namespace kurvanto {
namespace {

constexpr TColor kRed = 0x0000FF, kBlue = 0xFF0000, kWhite = 0xFFFFFF, kGreen = 0x00A000;

// The start values on a white field: x and y from -10 to 10, 640 x 441 pixels, so that
// x maps to column (x + 10) * 32.05 and y to row (10 - y) * 22.05.
class FieldTest : public ::testing::Test {
  protected:
    void SetUp() override {
        SetStartValues(state);
        state.BackgroundColor = kWhite;
        state.GraphColor = kRed;
        host.state = &state;
    }
    void build(const std::string &formula, const FieldOptions &options = {}) {
        BuildGraph(state, canvas, formula, host, options);
        ASSERT_FALSE(host.errorLabel) << formula;
        list.recordBuild(state, formula);
    }
    void setRanges(double xmin, double xmax, double ymin, double ymax) {
        state.XMin = xmin;
        state.XMax = xmax;
        state.YMin = ymin;
        state.YMax = ymax;
    }
    // Pixels of the colour in columns [x0, x1] and rows [y0, y1].
    int count(TColor color, int x0, int x1, int y0, int y1) const {
        return testing::CountPixels(canvas.image(), Canvas::toQColor(color).rgb(),
                                    QRect(QPoint(x0, y0), QPoint(x1, y1)));
    }
    int notBackground(int x0, int x1, int y0, int y1) const {
        return (x1 - x0 + 1) * (y1 - y0 + 1) - count(kWhite, x0, x1, y0, y1);
    }

    PlotState state;
    Canvas canvas;
    testing::RecordingHost host;
    DisplayList list;
};

// --- Breaks -----------------------------------------------------------------------------

struct BreakCase {
    const char *name;
    const char *formula;
    int column0, column1, row0, row1; // where a joining line would be and the curve is not
    int precision = 1;
};
void PrintTo(const BreakCase &c, std::ostream *os) {
    *os << c.name;
}

class Breaks : public FieldTest, public ::testing::WithParamInterface<BreakCase> {};

TEST_P(Breaks, NoLineAcrossTheBreakOnlyWhenOn) {
    const BreakCase &c = GetParam();
    state.Precision = c.precision;
    build(c.formula);
    EXPECT_GT(count(kRed, c.column0, c.column1, c.row0, c.row1), 0) << "breaks off: joined";
    canvas.clear();
    state.ClearPending = 1;
    FieldOptions options;
    options.breaks = true;
    build(c.formula, options);
    EXPECT_EQ(count(kRed, c.column0, c.column1, c.row0, c.row1), 0) << "breaks on";
    EXPECT_GT(count(kRed, 0, 639, 0, 440), 400) << "the rest of the curve stays";
}

INSTANTIATE_TEST_SUITE_P(
    Field, Breaks,
    ::testing::Values(
        // x = 0 at column 320 and two neighbours each side; y = 5 .. -5 at rows 110 .. 331.
        BreakCase{"HyperbolaAtZero", "1/x", 318, 322, 110, 331},
        // x = pi/2 at column 371: from far above the top to far below the bottom.
        BreakCase{"TangentAtHalfPi", "tg(x)", 369, 373, 110, 331},
        // 20 samples a column: a pass long enough to be evaluated on several threads.
        BreakCase{"TangentFinelySampled", "tg(x)", 369, 373, 110, 331, 20},
        BreakCase{"HyperbolaFinelySampled", "1/x", 318, 322, 110, 331, 20},
        // No value for |x| < 1 (a missing sample): the line across it would run near
        // y = ln(0.02) = -3.9, rows 300 .. 330, between x = -0.9 and 0.9 (columns 292 .. 349).
        BreakCase{"LogarithmWithoutValues", "ln(x^2-1)", 292, 349, 250, 440}),
    [](const auto &row) { return std::string(row.param.name); });

TEST_F(FieldTest, OptionsOffDrawTheBuildOfBefore) {
    for (const char *formula : {"x^2-3", "1/x", "tg(x)", "sqrt(x)"}) {
        Canvas plain;
        PlotState before = state;
        BuildGraph(before, plain, formula, host);
        canvas.clear();
        state.ClearPending = 1;
        build(formula);
        EXPECT_EQ(canvas.image(), plain.image()) << formula;
    }
}

// --- Grid -------------------------------------------------------------------------------

TEST_F(FieldTest, GridLinesAtStepsOfTwoAcrossAndFiveDown) {
    FieldOptions options;
    options.grid = true;
    build("x^2-3", options);
    const TColor grid = GridColor(state);
    // Row 5 is clear of the parabola except near x = +-3.6 (columns 205 and 435).
    std::vector<int> columns;
    for (int x = 0; x < 640; ++x)
        if (canvas.image().pixel(x, 5) == Canvas::toQColor(grid).rgb())
            columns.push_back(x);
    EXPECT_EQ(columns, (std::vector<int>{0, 64, 128, 192, 256, 385, 449, 513, 577}));
    // Column 610 (x = 9) lies right of the parabola; y = 10, 5, -5 (0 is the axis).
    std::vector<int> rows;
    for (int y = 0; y < 441; ++y)
        if (canvas.image().pixel(610, y) == Canvas::toQColor(grid).rgb())
            rows.push_back(y);
    EXPECT_EQ(rows, (std::vector<int>{0, 110, 331})) << "y = 0 lies under the axis, row 220";
    EXPECT_EQ(canvas.image().pixel(320, 5), Canvas::toQColor(0).rgb()) << "axes over the grid";
}

struct StepCase {
    const char *name;
    double unitsPerPixel, step;
};
void PrintTo(const StepCase &c, std::ostream *os) {
    *os << c.name;
}

class GridSteps : public ::testing::TestWithParam<StepCase> {};
TEST_P(GridSteps, SmallestOneTwoFiveAtLeastFiftyPixels) {
    EXPECT_DOUBLE_EQ(GridStep(GetParam().unitsPerPixel), GetParam().step);
}
INSTANTIATE_TEST_SUITE_P(
    Field, GridSteps,
    ::testing::Values(StepCase{"StartX", 20.0 / 641, 2}, StepCase{"StartY", 20.0 / 441, 5},
                      StepCase{"ExactlyFifty", 0.02, 1}, StepCase{"JustOverOne", 0.0201, 2},
                      StepCase{"Tiny", 1e-9, 5e-8}, StepCase{"Huge", 1e20, 5e21},
                      StepCase{"Zero", 0, 0}, StepCase{"Negative", -1, 0},
                      StepCase{"Infinite", HUGE_VAL, 0}),
    [](const auto &row) { return std::string(row.param.name); });

struct NumberCase {
    const char *name;
    double value, step;
    const char *text;
};
void PrintTo(const NumberCase &c, std::ostream *os) {
    *os << c.name;
}

class GridNumbers : public ::testing::TestWithParam<NumberCase> {};
TEST_P(GridNumbers, DecimalCommaAndTheStepsDecimals) {
    EXPECT_EQ(GridNumber(GetParam().value, GetParam().step).toStdString(), GetParam().text);
}
INSTANTIATE_TEST_SUITE_P(Field, GridNumbers,
                         ::testing::Values(NumberCase{"Whole", -8, 2, "-8"},
                                           NumberCase{"Hundredths", 0.03, 0.01, "0,03"},
                                           NumberCase{"Tenths", -0.2, 0.2, "-0,2"},
                                           NumberCase{"NoMinusZero", -0.0, 0.5, "0"},
                                           NumberCase{"TinyStep", -3e-8, 1e-8, "-3e-08"},
                                           NumberCase{"TinyOffCentre", 1.5e-7, 5e-8, "1,5e-07"},
                                           NumberCase{"HugeStep", 2e21, 1e21, "2e+21"},
                                           NumberCase{"Thousands", 5000, 1000, "5000"}),
                         [](const auto &row) { return std::string(row.param.name); });

TEST(GridValuesTest, MultiplesInsideTheRangeWithoutMinusZero) {
    const std::vector<double> v = GridValues(-1.1, 1.1, 0.5, 100);
    EXPECT_EQ(v, (std::vector<double>{-1, -0.5, 0, 0.5, 1}));
    EXPECT_FALSE(std::signbit(v[2]));
    EXPECT_EQ(GridValues(0, 1e12, 1, 7).size(), 7u) << "a bound on the count";
    EXPECT_TRUE(GridValues(1, 0, 1, 10).empty());
}

// --- Numbers ----------------------------------------------------------------------------

TEST_F(FieldTest, NumbersNextToTheStepsOnlyWhenOn) {
    // x = 2 at column 385, under the axis (row 220); y = 5 at row 110, right of column 320.
    build("x^2-3");
    EXPECT_EQ(notBackground(379, 395, 223, 240), 0);
    EXPECT_EQ(notBackground(322, 340, 102, 118), 0);
    RedrawField(state, canvas, list, FieldOptions{false, true, false, false}, host);
    EXPECT_GT(notBackground(379, 395, 223, 240), 0);
    EXPECT_GT(notBackground(322, 340, 102, 118), 0);
    EXPECT_EQ(notBackground(400, 440, 223, 240), 0) << "nothing between x = 2 and x = 4";
}

TEST_F(FieldTest, NumbersWiderThanTheirStepDoNotOverlap) {
    // x from 1e9 - 500 to 1e9 + 500: step 100 every 64 pixels, each number ("1000000100")
    // wider than that. Written one over the other they would make one run of text; with every
    // other one left out, wide empty gaps lie between them.
    setRanges(1e9 - 500, 1e9 + 500, -10, 10);
    build("0");
    RedrawField(state, canvas, list, FieldOptions{false, true, false, false}, host);
    int wideGaps = 0, empty = 0;
    bool seenText = false;
    for (int x = 0; x < 640; ++x) {
        if (notBackground(x, x, 223, 236) == 0) {
            ++empty;
            continue;
        }
        wideGaps += seenText && empty >= 20;
        seenText = true;
        empty = 0;
    }
    EXPECT_GE(wideGaps, 3);
}

TEST_F(FieldTest, NumbersAlongTheEdgesWhenTheAxesAreOff) {
    // x from 2 to 20, y from 1 to 5,5: both axes beyond the field. The x numbers lie along
    // the bottom (x = 4 at column 71), the y numbers along the left (y = 3 at row 220).
    setRanges(2, 20, 1, 5.5);
    build("x^2-3");
    RedrawField(state, canvas, list, FieldOptions{false, true, false, false}, host);
    EXPECT_GT(notBackground(61, 81, 420, 440), 0);
    EXPECT_GT(notBackground(0, 25, 212, 228), 0);
}

// Numbers are glyphs without a box: every curve pixel of the picture without them is still
// there unless a glyph's ink lies on it, and no ink comes within 2 pixels of an axis line
// (an axis near the bottom or the right edge takes its numbers on its other side).
struct NumberInkCase {
    const char *name;
    const char *formula;
    double xmin, xmax, ymin, ymax;
};
void PrintTo(const NumberInkCase &c, std::ostream *os) {
    *os << c.name;
}

class NumberInk : public FieldTest, public ::testing::WithParamInterface<NumberInkCase> {};

TEST_P(NumberInk, OnlyGlyphsCoverTheCurveAndTheAxesStayClear) {
    const NumberInkCase &c = GetParam();
    state.AxesColor = kBlue;
    setRanges(c.xmin, c.xmax, c.ymin, c.ymax);
    build(c.formula);
    int axisRow = -1, axisColumn = -1; // the axes as drawn: the long blue lines
    for (int y = 0; y <= 440; ++y)
        axisRow = count(kBlue, 0, 639, y, y) > 600 ? y : axisRow;
    for (int x = 0; x < 640; ++x)
        axisColumn = count(kBlue, x, x, 0, 440) > 400 ? x : axisColumn;
    ASSERT_TRUE(axisRow >= 0 && axisColumn >= 0);
    const QImage plain = canvas.image();
    RedrawField(state, canvas, list, FieldOptions{false, true, false, false}, host);
    const QRgb ink = Canvas::toQColor(kBlue).rgb();
    int inked = 0;
    for (int y = 0; y <= 440; ++y)
        for (int x = 0; x < 640; ++x)
            if (canvas.image().pixel(x, y) != plain.pixel(x, y)) {
                ++inked;
                ASSERT_EQ(canvas.image().pixel(x, y), ink) << x << ", " << y;
            }
    EXPECT_GT(inked, 50) << "numbers of both axes";
    for (const int d : {-2, -1, 1, 2}) { // at most the other axis crossing there
        EXPECT_LE(count(kBlue, 0, 639, axisRow + d, axisRow + d), 1) << "row " << axisRow + d;
        EXPECT_LE(count(kBlue, axisColumn + d, axisColumn + d, 0, 440), 1) << axisColumn + d;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Field, NumberInk,
    ::testing::Values(NumberInkCase{"CrestUnderHalf", "cos(x)/2", -7, 7, -1.5, 1.5},
                      NumberInkCase{"XAxisNearTheBottom", "x", -10, 10, -0.25, 10},
                      NumberInkCase{"YAxisNearTheRight", "x", -10, 0.2, -10, 10}),
    [](const auto &row) { return std::string(row.param.name); });

// --- Legend -----------------------------------------------------------------------------

struct LegendCase {
    const char *name;
    const char *formula;
    int corner; // 0 top right, 1 top left, 2 bottom right, 3 bottom left
};
void PrintTo(const LegendCase &c, std::ostream *os) {
    *os << c.name;
}

class Legend : public FieldTest, public ::testing::WithParamInterface<LegendCase> {};

TEST_P(Legend, InTheCornerWithFewestCurvePixels) {
    build(GetParam().formula);
    const QImage plain = canvas.image();
    RedrawField(state, canvas, list, FieldOptions{false, false, false, true}, host);
    const int boxes[4][4] = {
        {580, 639, 0, 30}, {0, 59, 0, 30}, {580, 639, 410, 440}, {0, 59, 410, 440}};
    for (int k = 0; k < 4; ++k) {
        const auto *b = boxes[k];
        int changed = 0;
        for (int y = b[2]; y <= b[3]; ++y)
            for (int x = b[0]; x <= b[1]; ++x)
                changed += canvas.image().pixel(x, y) != plain.pixel(x, y);
        if (k == GetParam().corner) {
            EXPECT_GT(changed, 0) << "corner " << k;
            EXPECT_GT(count(kRed, b[0], b[1], b[2], b[3]), 0) << "the formula in its colour";
        } else {
            EXPECT_EQ(changed, 0) << "corner " << k;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Field, Legend,
                         ::testing::Values(LegendCase{"RisingLine", "x", 1},
                                           LegendCase{"FallingLine", "-x", 0},
                                           LegendCase{"BothTopCorners", "abs(x)", 2},
                                           LegendCase{"EmptyEverywhere", "x^2-3", 0}),
                         [](const auto &row) { return std::string(row.param.name); });

TEST_F(FieldTest, LegendListsEachFormulaOnceInItsColour) {
    build("x^2-3");
    state.GraphColor = kBlue;
    build("sin(x)*5");
    build("x^2-3"); // blue now: a line of its own
    state.GraphColor = kRed;
    build("x^2-3"); // as the first: no new line
    const std::vector<LegendEntry> entries = list.legend();
    ASSERT_EQ(entries.size(), 3u);
    EXPECT_EQ(entries[0].text, QStringLiteral("x^2-3"));
    EXPECT_EQ(entries[0].color, kRed);
    EXPECT_EQ(entries[1].text, QStringLiteral("sin(x)*5"));
    EXPECT_EQ(entries[2].color, kBlue);
}

// --- The display list -------------------------------------------------------------------

struct RedrawCase {
    const char *name;
    bool interval, marks, twoBuilds;
};
void PrintTo(const RedrawCase &c, std::ostream *os) {
    *os << c.name;
}

class Redraw : public FieldTest, public ::testing::WithParamInterface<RedrawCase> {};

TEST_P(Redraw, BackOnTheOldRangesThePictureOfTheBuild) {
    const RedrawCase &c = GetParam();
    if (c.interval) {
        state.IntervalMode = 1;
        host.from = -2;
        host.to = 3;
    }
    build("x^2-3");
    if (c.twoBuilds) {
        state.GraphColor = kGreen;
        state.IntervalMode = 0;
        build("sin(x)*5");
    }
    if (c.marks) {
        state.AnnotationX = Real48::from(2);
        state.AnnotationY = Real48::from(1);
        nasec(state, canvas);
        list.recordTicks(state);
        state.AnnotationX = Real48::from(-1.5);
        ugolok(state, canvas);
        list.recordCorner(state);
        state.LabelText = QStringLiteral("парабола");
        state.LabelColor = kBlue;
        nadpis(state);
        LabelMouseDown(state, canvas, Qt::LeftButton, 400, 100);
        list.recordLabel(state, 400, 100);
    }
    const QImage original = canvas.image();
    const int requests = host.intervalRequests;
    setRanges(-3, 7, -1, 4);
    RedrawField(state, canvas, list, FieldOptions{}, host);
    EXPECT_NE(canvas.image(), original);
    setRanges(-10, 10, -10, 10);
    RedrawField(state, canvas, list, FieldOptions{}, host);
    EXPECT_EQ(canvas.image(), original);
    EXPECT_EQ(host.intervalRequests, requests) << "a redraw asks for no interval";
    EXPECT_EQ(state.GraphColor, c.twoBuilds ? kGreen : kRed) << "the settings given back";
}

INSTANTIATE_TEST_SUITE_P(Field, Redraw,
                         ::testing::Values(RedrawCase{"OneBuild", false, false, false},
                                           RedrawCase{"OnAnInterval", true, false, false},
                                           RedrawCase{"WithMarks", false, true, false},
                                           RedrawCase{"TwoBuildsAndMarks", true, true, true}),
                         [](const auto &row) { return std::string(row.param.name); });

TEST_F(FieldTest, IntervalKeepsItsEndsAndAPlainBuildFollowsTheRange) {
    // On x from 0 to 20 the column of x is x * 32.05: x = 3 at 96, x = 15 at 481.
    state.IntervalMode = 1;
    host.from = -2;
    host.to = 3;
    build("0");
    state.IntervalMode = 0;
    state.GraphColor = kBlue;
    build("5");
    setRanges(0, 20, -10, 10);
    RedrawField(state, canvas, list, FieldOptions{}, host);
    // y = 0 at row 220 (the axis' colour is black, the curve red), y = 5 at row 110.
    EXPECT_GT(count(kRed, 0, 90, 220, 221), 80);
    EXPECT_EQ(count(kRed, 100, 639, 218, 223), 0) << "the interval's end stays at x = 3";
    EXPECT_GT(count(kBlue, 470, 639, 109, 111), 160) << "the plain build reaches x = 20";
    EXPECT_DOUBLE_EQ(state.XUnitsPerPixel, 20.0 / 641);
    EXPECT_EQ(state.IntervalMode, 0);
}

TEST_F(FieldTest, AnErasedLabelLeavesTheList) {
    build("x^2-3");
    const QImage plain = canvas.image();
    state.LabelText = QStringLiteral("надпись");
    list.recordLabel(state, 100, 50);
    list.recordLabel(state, 500, 300);
    list.eraseLabelAt(state, 500, 300);
    list.eraseLabelAt(state, 10, 10); // no label there: nothing leaves
    ASSERT_EQ(list.items().size(), 2u);
    list.eraseLabelAt(state, 100, 50);
    RedrawField(state, canvas, list, FieldOptions{}, host);
    EXPECT_EQ(canvas.image(), plain);
}

TEST_F(FieldTest, AnEmptyRangeRaisesAndGivesTheSettingsBack) {
    build("x^2-3");
    state.GraphColor = kBlue;
    setRanges(1, 1, -10, 10);
    EXPECT_THROW(RedrawField(state, canvas, list, FieldOptions{true, true, true, true}, host),
                 InvalidOperation);
    EXPECT_EQ(state.GraphColor, kBlue);
}

TEST_F(FieldTest, ClearEmptiesTheList) {
    build("x^2-3");
    EXPECT_FALSE(list.empty());
    list.clear();
    EXPECT_TRUE(list.empty());
    RedrawField(state, canvas, list, FieldOptions{}, host);
    EXPECT_EQ(notBackground(0, 639, 0, 440), 0);
}

} // namespace
} // namespace kurvanto
