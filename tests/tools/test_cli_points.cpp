// SPDX-License-Identifier: GPL-3.0-or-later
// kurvanto-cli points: its lines against points worked out by hand, its limit, its refusals.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <sstream>

#include "clirunner.h"

namespace {

using kurvanto::testing::RunCli;
using Args = std::vector<std::string>;
const double kPi = 3.14159265358979323846, kSqrt3 = 1.7320508075688772;

struct Line {
    std::string kind;
    int first, second; // second 0 unless a crossing
    double x, y;
};

struct Case {
    const char *name;
    Args args;
    std::vector<Line> lines; // in the order printed; x within 1e-7, y within 1e-12
};

const std::vector<Case> kCases = {
    {"CubicOnTheStartField",
     {"x^3-3*x"},
     {{"root", 1, 0, -kSqrt3, 0},
      {"max", 1, 0, -1, 2},
      {"root", 1, 0, 0, 0},
      {"min", 1, 0, 1, -2},
      {"root", 1, 0, kSqrt3, 0}}},
    {"EndOfTheIntervalIsNoExtremum",
     {"x^2-3", "--interval", "0", "5"},
     {{"root", 1, 0, kSqrt3, 0}}},
    {"CrossingOfTwoFormulas",
     {"sin(x)", "--also", "cos(x)", "--xmin", "0,5", "--xmax", "1"},
     {{"cross", 1, 2, kPi / 4, std::sqrt(0.5)}}},
    {"NoneIsNoFailure", {"1/x", "--width", "800", "--height", "600"}, {}},
};

class PointsCommand : public testing::TestWithParam<Case> {};

TEST_P(PointsCommand, PrintsThePointsSortedByX) {
    Args args = {"points"};
    args.insert(args.end(), GetParam().args.begin(), GetParam().args.end());
    const kurvanto::testing::Result r = RunCli(args);
    ASSERT_EQ(r.code, 0) << r.err;
    EXPECT_EQ(r.err, "");
    std::istringstream out(r.out);
    for (const Line &e : GetParam().lines) {
        Line p{};
        ASSERT_TRUE(out >> p.kind >> p.first) << r.out;
        if (p.kind == "cross")
            out >> p.second;
        out >> p.x >> p.y;
        EXPECT_EQ(p.kind, e.kind);
        EXPECT_EQ(p.first, e.first);
        EXPECT_EQ(p.second, e.second);
        EXPECT_NEAR(p.x, e.x, 1e-7);
        EXPECT_NEAR(p.y, e.y, 1e-12);
    }
    std::string rest;
    EXPECT_FALSE(out >> rest) << r.out;
}

INSTANTIATE_TEST_SUITE_P(Fields, PointsCommand, testing::ValuesIn(kCases),
                         [](const testing::TestParamInfo<Case> &row) { return row.param.name; });

// Each number is printed as eval prints the value at that x: 17 significant digits.
TEST(PointsCommandNumbers, AreTheValuesEvalPrints) {
    const kurvanto::testing::Result r = RunCli({"points", "x^2-3"});
    std::istringstream out(r.out);
    std::string kind, first, x, y;
    int lines = 0;
    for (; out >> kind >> first >> x >> y; ++lines)
        EXPECT_EQ(RunCli({"eval", "x^2-3", x}).out, "n " + y + "\n");
    EXPECT_EQ(lines, 3);
}

TEST(PointsCommandLimit, PrintsTheFirstThousandAndNamesTheBuildOnStandardError) {
    const kurvanto::testing::Result r = RunCli({"points", "sin(100*x)", "--precision", "10"});
    EXPECT_EQ(r.code, 0);
    EXPECT_EQ(std::count(r.out.begin(), r.out.end(), '\n'), 1000);
    EXPECT_EQ(r.err, "limit 1 1000\n");
}

TEST(PointsCommandRefusal, IsCheckOwnAndLeavesOutOptionsThatDrawNothing) {
    const kurvanto::testing::Result points = RunCli({"points", "x", "--also", "x+"});
    EXPECT_EQ(points.code, 1);
    EXPECT_EQ(points.err, RunCli({"check", "x+"}).err);
    EXPECT_EQ(RunCli({"points", "x", "-o", "p.png"}).code, 2);
}

} // namespace
