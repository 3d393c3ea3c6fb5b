// SPDX-License-Identifier: GPL-3.0-or-later
// Tick marks, corners and labels, checked pixel by pixel on a blank picture whose scale is
// set as a plot on a 639 x 319 field with both ranges -10 .. 10 would leave it.
#include <QImage>
#include <gtest/gtest.h>
#include <set>
#include <utility>

#include "annotation.h"
#include "buildscene.h"
#include "errors.h"
#include "formula.h"
#include "pixels.h"

namespace kurvanto {
namespace {

using testing::Pixel;
using testing::PixelSet;

constexpr QRgb kWhite = 0xFFFFFFFF;
constexpr TColor kRed = 0x0000FF; // 0x00BBGGRR
constexpr TColor kGreen = 0x00FF00;
constexpr TColor kBlue = 0xFF0000;

class AnnotationTest : public ::testing::Test, public testing::BuildScene {
  protected:
    void SetUp() override {
        SetStartValues(state, 639, 319);
        state.XUnitsPerPixel = (state.XMax - state.XMin) / (state.FieldWidth + 1);
        state.YUnitsPerPixel = (state.YMax - state.YMin) / (state.FieldHeight + 1);
        state.AxesColor = kRed;
        state.GraphColor = kBlue;
        state.BackgroundColor = kGreen;
        canvas.ensure(state.FieldWidth, state.FieldHeight + 1);
        canvas.setBrushColor(state.BackgroundColor);
    }

    PixelSet Painted() const { return testing::Painted(canvas.image()); }

    void Marks(double x, double y) {
        state.AnnotationX = Real48::from(x);
        state.AnnotationY = Real48::from(y);
    }
};

PixelSet Row(int row, int from, int to) {
    PixelSet s;
    for (int x = from; x <= to; ++x)
        s.insert({x, row});
    return s;
}

PixelSet Column(int column, int from, int to) {
    PixelSet s;
    for (int y = from; y <= to; ++y)
        s.insert({column, y});
    return s;
}

PixelSet Join(PixelSet a, const PixelSet &b) {
    a.insert(b.begin(), b.end());
    return a;
}

// Rows of the parameter tables are named by their first field.
template <typename Case> std::string ParamName(const ::testing::TestParamInfo<Case> &row) {
    return row.param.name;
}

// --- Mapping ---------------------------------------------------------------------------

TEST_F(AnnotationTest, MapsTheExampleField) {
    EXPECT_EQ(MarkYAxisColumn(state), 320);
    EXPECT_EQ(MarkXAxisRow(state), 160);
    EXPECT_EQ(MarkColumn(state, 1), 352);
    EXPECT_EQ(MarkRow(state, 1), 144);
    EXPECT_EQ(MarkColumn(state, -10), 0);
    EXPECT_EQ(MarkRow(state, -10), 320); // one row below the picture
}

struct AxisColumnCase {
    const char *name;
    double quotient; // -XMin / XUnitsPerPixel
    int column;
};

class AxisColumnTest : public AnnotationTest,
                       public ::testing::WithParamInterface<AxisColumnCase> {};

// The ticks' y-axis column is rounded, ties to even, while the plot truncates its axis.
TEST_P(AxisColumnTest, RoundsHalfToEven) {
    state.XMin = -GetParam().quotient * state.XUnitsPerPixel;
    Marks(0, 1);
    nasec(state, canvas);
    const int x0 = GetParam().column;
    EXPECT_EQ(MarkYAxisColumn(state), x0);
    const PixelSet painted = Painted();
    EXPECT_EQ(painted.count({x0 - 3, 143}), 1u);
    EXPECT_EQ(painted.count({x0 + 3, 143}), 1u);
    EXPECT_EQ(painted.count({x0 + 4, 143}), 0u);
}

INSTANTIATE_TEST_SUITE_P(Ties, AxisColumnTest,
                         ::testing::Values(AxisColumnCase{"Exact", 320.0, 320},
                                           AxisColumnCase{"TieGoesToEven", 320.5, 320},
                                           AxisColumnCase{"TieGoesUpToEven", 321.5, 322},
                                           AxisColumnCase{"AboveHalf", 320.8, 321},
                                           AxisColumnCase{"BelowHalf", 320.2, 320}),
                         ParamName<AxisColumnCase>);

// --- Tick marks ------------------------------------------------------------------------

TEST_F(AnnotationTest, TicksOfTheExampleField) {
    Marks(1, 1);
    nasec(state, canvas);
    EXPECT_EQ(Painted(), Join(Row(143, 317, 323), Column(352, 156, 162)));
    EXPECT_EQ(At(317, 143), Canvas::toQColor(kRed).rgb());
}

struct OutsideCase {
    const char *name;
    double x, y;
    bool rowVisible, columnVisible;
};

class TickOutsideTest : public AnnotationTest, public ::testing::WithParamInterface<OutsideCase> {};

// No check keeps a mark inside the picture: what falls outside simply does not show.
TEST_P(TickOutsideTest, ShowsOnlyTheStrokeInside) {
    const OutsideCase &c = GetParam();
    Marks(c.x, c.y);
    nasec(state, canvas);
    PixelSet expected;
    if (c.rowVisible)
        expected = Join(expected, Row(MarkRow(state, c.y) - 1, 317, 323));
    if (c.columnVisible)
        expected = Join(expected, Column(MarkColumn(state, c.x), 156, 162));
    EXPECT_EQ(Painted(), expected);
}

INSTANTIATE_TEST_SUITE_P(Ticks, TickOutsideTest,
                         ::testing::Values(OutsideCase{"XBeyondRight", 50, 1, true, false},
                                           OutsideCase{"YAboveTop", 1, 50, false, true},
                                           OutsideCase{"BothFarOut", -1e6, 1e6, false, false},
                                           OutsideCase{"YAtTopRowHidesOneAbove", 1, 10, false,
                                                       true}),
                         ParamName<OutsideCase>);

TEST_F(AnnotationTest, TickBeyondTheIntegerRangeDrawsNothing) {
    Marks(1, 1e30); // row about 1.6e31
    EXPECT_THROW(nasec(state, canvas), InvalidOperation);
    EXPECT_TRUE(Painted().empty());
}

TEST_F(AnnotationTest, AxisAtTheLastIntegerColumnDoesNotOverflow) {
    state.XMin = -2147483647.0 * state.XUnitsPerPixel; // y axis at column 2^31 - 1
    Marks(state.XMin + 1, 1);
    nasec(state, canvas);
    EXPECT_EQ(Painted(), Column(32, 156, 162));
}

// --- Corner ----------------------------------------------------------------------------

TEST_F(AnnotationTest, CornerOfTheExampleField) {
    SetFormulaText("x*x");
    Marks(2, 0);
    ugolok(state, canvas);
    EXPECT_EQ(Painted(), Join(Column(384, 96, 159), Row(96, 320, 383)));
    EXPECT_EQ(At(384, 96), Canvas::toQColor(kBlue).rgb());
}

TEST_F(AnnotationTest, CornerAtZeroStaysOnTheAxisColumn) {
    SetFormulaText("x+3");
    Marks(0, 0);
    ugolok(state, canvas);
    EXPECT_EQ(Painted(), Column(320, 112, 159)); // the horizontal line has no length
}

TEST_F(AnnotationTest, CornerBelowTheXAxisGoesUp) {
    SetFormulaText("x-5");
    Marks(2, 0); // value -3, row 208
    ugolok(state, canvas);
    EXPECT_EQ(Painted(), Join(Column(384, 161, 208), Row(208, 320, 383)));
}

struct NoValueCase {
    const char *name;
    const char *formula;
    double x;
};

class CornerNoValueTest : public AnnotationTest,
                          public ::testing::WithParamInterface<NoValueCase> {};

// Without a value at x there is no point to join: nothing is drawn and nothing is raised.
TEST_P(CornerNoValueTest, DrawsNothing) {
    SetFormulaText(GetParam().formula);
    FormulaStatus = 'm'; // left over from the last sample of a plot
    Marks(GetParam().x, 0);
    EXPECT_NO_THROW(ugolok(state, canvas));
    EXPECT_TRUE(Painted().empty());
}

INSTANTIATE_TEST_SUITE_P(Corner, CornerNoValueTest,
                         ::testing::Values(NoValueCase{"DivisionByZero", "1/x", 0},
                                           NoValueCase{"Malformed", "sinx", 1},
                                           NoValueCase{"Empty", "", 1}),
                         ParamName<NoValueCase>);

TEST_F(AnnotationTest, StaleStatusDoesNotHideTheCorner) {
    SetFormulaText("x*x");
    FormulaStatus = 'm';
    Marks(2, 0);
    ugolok(state, canvas);
    EXPECT_FALSE(Painted().empty());
}

TEST_F(AnnotationTest, CornerWithAHugeValueDrawsNothing) {
    SetFormulaText("x*100000000000000000000");
    Marks(2, 0);
    EXPECT_THROW(ugolok(state, canvas), InvalidOperation);
    EXPECT_TRUE(Painted().empty());
}

// --- The command after the dialog ------------------------------------------------------

struct KindCase {
    const char *name;
    std::uint8_t confirmed, tick, corner, label;
    bool drawn, armed;
};

class ApplyTest : public AnnotationTest, public ::testing::WithParamInterface<KindCase> {};

TEST_P(ApplyTest, RunsAtMostOneKindInOrder) {
    const KindCase &c = GetParam();
    SetFormulaText("x*x");
    Marks(2, 1);
    state.AnnotationConfirmed = c.confirmed;
    state.TickMode = c.tick;
    state.CornerMode = c.corner;
    state.LabelMode = c.label;
    ApplyConfirmedAnnotation(state, canvas);
    EXPECT_EQ(!Painted().empty(), c.drawn);
    EXPECT_EQ(state.LabelArmed, c.armed ? 1 : 0);
    if (c.drawn && c.tick) {
        EXPECT_EQ(Painted().count({317, 143}), 1u); // the ticks, not the corner
    }
}

INSTANTIATE_TEST_SUITE_P(Kinds, ApplyTest,
                         ::testing::Values(KindCase{"NotConfirmed", 0, 1, 0, 0, false, false},
                                           KindCase{"Ticks", 1, 1, 0, 0, true, false},
                                           KindCase{"Corner", 1, 0, 1, 0, true, false},
                                           KindCase{"Label", 1, 0, 0, 1, false, true},
                                           KindCase{"TicksWinOverCorner", 1, 1, 1, 1, true, false},
                                           KindCase{"NoKind", 1, 0, 0, 0, false, false}),
                         ParamName<KindCase>);

// --- Labels ----------------------------------------------------------------------------

class LabelTest : public AnnotationTest {
  protected:
    void SetUp() override {
        AnnotationTest::SetUp();
        state.LabelText = QStringLiteral("вершина");
        state.LabelColor = kRed;
        nadpis(state);
    }

    void Click(Qt::MouseButton button, int x, int y) {
        LabelMouseDown(state, canvas, button, x, y);
    }

    // The colours found in the label-sized box at (x, y).
    std::set<QRgb> ColoursAt(int x, int y) const {
        std::set<QRgb> colours;
        for (int dy = 0; dy < 10; ++dy)
            for (int dx = 0; dx < 30; ++dx)
                colours.insert(At(x + dx, y + dy));
        return colours;
    }

    const QRgb red = Canvas::toQColor(kRed).rgb();
    const QRgb green = Canvas::toQColor(kGreen).rgb();
};

TEST_F(LabelTest, PlaceEraseAndPlaceAgain) {
    Click(Qt::LeftButton, 100, 100);
    EXPECT_EQ(ColoursAt(100, 100), (std::set<QRgb>{red, green})); // opaque on the brush
    EXPECT_EQ(state.LabelClickCount, 1);

    Click(Qt::RightButton, 300, 50);
    EXPECT_EQ(ColoursAt(100, 100), std::set<QRgb>{green}); // blanked in the background
    EXPECT_EQ(ColoursAt(300, 50), std::set<QRgb>{kWhite}); // not at the right click
    EXPECT_EQ(state.LabelClickCount, 0);
    EXPECT_EQ(state.LastClickX, 300);
    EXPECT_EQ(state.LastClickY, 50);

    Click(Qt::LeftButton, 200, 200);
    EXPECT_TRUE(ColoursAt(200, 200).count(red));
    EXPECT_EQ(state.LabelArmed, 1);
}

TEST_F(LabelTest, SecondLeftClickEndsTheMode) {
    Click(Qt::LeftButton, 100, 100);
    const QImage before = canvas.image();
    Click(Qt::LeftButton, 200, 200); // also the second press of a double click
    EXPECT_EQ(state.LabelArmed, 0);
    EXPECT_EQ(state.LastClickX, 200);
    EXPECT_EQ(canvas.image(), before);

    Click(Qt::RightButton, 10, 10); // disarmed: nothing at all
    EXPECT_EQ(canvas.image(), before);
    EXPECT_EQ(state.LastClickX, 200);
    EXPECT_EQ(state.LastClickY, 200);
}

TEST_F(LabelTest, MiddleButtonErasesLikeTheRight) {
    Click(Qt::LeftButton, 100, 100);
    Click(Qt::MiddleButton, 5, 5);
    EXPECT_EQ(ColoursAt(100, 100), std::set<QRgb>{green});
    EXPECT_EQ(state.LabelClickCount, 0);
}

TEST_F(LabelTest, SecondRightClickBlanksAtTheFirstRightClick) {
    Click(Qt::RightButton, 300, 50);  // blanks at the start point (0, 0)
    Click(Qt::RightButton, 400, 100); // blanks at (300, 50)
    EXPECT_EQ(ColoursAt(300, 50), std::set<QRgb>{green});
    EXPECT_EQ(ColoursAt(0, 0), std::set<QRgb>{green});
    EXPECT_EQ(state.LabelArmed, 1);
}

TEST_F(LabelTest, EmptyTextDrawsNothingButCounts) {
    state.LabelText.clear();
    Click(Qt::LeftButton, 100, 100);
    EXPECT_TRUE(Painted().empty());
    EXPECT_EQ(state.LabelClickCount, 1);
    Click(Qt::LeftButton, 100, 100);
    EXPECT_EQ(state.LabelArmed, 0);
}

TEST_F(LabelTest, ArmingAgainRestartsTheCount) {
    Click(Qt::LeftButton, 100, 100);
    nadpis(state); // "Делать" with "Надписи" while armed
    EXPECT_EQ(state.LabelClickCount, 0);
    Click(Qt::LeftButton, 200, 200);
    EXPECT_EQ(state.LabelArmed, 1);
    EXPECT_TRUE(ColoursAt(200, 200).count(red));
}

TEST_F(LabelTest, AfterAClearDrawsOnANewBlankPicture) {
    canvas.clear();
    state.GraphPresent = 0;
    Click(Qt::LeftButton, 100, 100);
    ASSERT_FALSE(canvas.isEmpty());
    EXPECT_EQ(canvas.image().size(), QSize(639, 320));
    EXPECT_TRUE(ColoursAt(100, 100).count(red));
    EXPECT_EQ(state.GraphPresent, 0);
}

TEST_F(LabelTest, ExtraMouseButtonsPlayNoPart) {
    Click(Qt::BackButton, 100, 100);
    EXPECT_TRUE(Painted().empty());
    EXPECT_EQ(state.LastClickX, 0);
    EXPECT_EQ(state.LabelArmed, 1);
}

} // namespace
} // namespace kurvanto
