// SPDX-License-Identifier: GPL-3.0-or-later
// The table of values, a build's value on its interval and the fit to the curves, on the start
// field (640 x 440, -10 .. 10 both ways: the columns 0 .. 640 lie at x = -10 + c * 20/641).
#include <gtest/gtest.h>

#include "valuetable.h"

namespace kurvanto {
namespace {

constexpr double kU = 20.0 / 641; // x units per column

FieldItem Build(const std::string &formula, bool hidden = false) {
    FieldItem item;
    item.formula = formula;
    item.hidden = hidden;
    return item;
}

TEST(ValueTable, EachXComesFromItsIndexAndCountIsLimited) {
    const ValueTable table = ComputeValueTable({"1/x"}, 0, 0.1, 11);
    EXPECT_EQ(table.xs[10], 1.0); // ten additions of 0.1 give 0.9999999999999999
    EXPECT_EQ(table.rows[10][0], 1.0);
    EXPECT_EQ(ComputeValueTable({"x"}, 0, 1, kTableMaxRows + 1).xs.size(), 10000u);
    EXPECT_TRUE(ComputeValueTable({"x"}, 0, 1, -1).xs.empty());
}

TEST(ValueTable, CommaSeparatedTextQuotesWhatHoldsTheSeparator) {
    const ValueTable table = ComputeValueTable({"2,5*x", "sqrt(x)"}, -1, 2, 2);
    EXPECT_EQ(TableText(table, ',', "нет значения", true),
              "x,\"2,5*x\",sqrt(x)\n-1,-2.5,нет значения\n1,2.5,1\n");
}

TEST(ValueTable, ABuildOnAnIntervalHasValuesThereOnly) {
    FieldItem build = Build("x");
    build.interval = true;
    build.intervalFrom = 2; // the ends in either order
    build.intervalTo = -1;
    DisplayList list;
    list.setItems({build});
    EXPECT_TRUE(BuildValue(list, 0, -1) == -1.0 && BuildValue(list, 0, 2) == 2.0);
    EXPECT_FALSE(BuildValue(list, 0, 2.5).has_value());
}

struct FitCase {
    const char *name;
    std::vector<FieldItem> items;
    bool fits;
    double yMin, yMax, tolerance;
};

class FitY : public ::testing::TestWithParam<FitCase> {};

TEST_P(FitY, FramesTheVisibleCurvesLessTheirOutliers) {
    const FitCase &c = GetParam();
    PlotState state;
    SetStartValues(state);
    DisplayList list;
    list.setItems(c.items);
    const auto fitted = FittedYRange(state, list);
    ASSERT_EQ(fitted.has_value(), c.fits);
    if (!c.fits)
        return;
    EXPECT_EQ(fitted->xMin, -10); // x stays
    EXPECT_EQ(fitted->xMax, 10);
    EXPECT_NEAR(fitted->yMin, c.yMin, c.tolerance);
    EXPECT_NEAR(fitted->yMax, c.yMax, c.tolerance);
}

// 641 values of x: the 6 lowest and highest go, leaving columns 6 .. 634, a span of 628
// columns widened by 15.7 columns at each end. sin(x) within 5 % of -1 and 1; tg(x) finite
// though its poles lie in the field; a flat curve gets one unit each way.
INSTANTIATE_TEST_SUITE_P(
    ValueTable, FitY,
    ::testing::Values(FitCase{"Line", {Build("x")}, true, -10 - 9.7 * kU, -10 + 649.7 * kU, 1e-9},
                      FitCase{"HiddenLeftOut",
                              {Build("x"), Build("100*x", true)},
                              true,
                              -10 - 9.7 * kU,
                              -10 + 649.7 * kU,
                              1e-9},
                      FitCase{"Sine", {Build("sin(x)")}, true, -1, 1, 0.05},
                      FitCase{"Tangent", {Build("tg(x)")}, true, 0, 0, 100},
                      FitCase{"Flat", {Build("3")}, true, 2, 4, 0},
                      FitCase{"NoValues", {Build("sqrt(x-20)")}, false, 0, 0, 0},
                      FitCase{"Nothing", {}, false, 0, 0, 0}),
    [](const auto &row) { return std::string(row.param.name); });

} // namespace
} // namespace kurvanto
