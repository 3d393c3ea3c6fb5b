// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "points.h"

namespace kurvanto {
namespace {

using K = PointOfInterest::Kind;
const double kPi = 3.14159265358979323846;
const double kSqrt3 = 1.7320508075688772; // nearest double to the square root of 3

// The start field: x from -10 to 10 over 640 + 1 columns, one sample a column.
PointBuild Start(const std::string &formula, int precision = 1) {
    return {formula, -10, 10, 20.0 / 641 / precision, {}};
}

struct Expected {
    K kind;
    int first, second;
    double x, xTolerance, y, yTolerance;
};

struct Case {
    const char *name;
    std::vector<PointBuild> builds;
    std::vector<Expected> points;
};

// Two ulps of x (for 0: two of the smallest normal number).
double Ulps2(double x) {
    return 2 * (std::nextafter(std::fabs(x), INFINITY) - std::fabs(x)) + 4.5e-308;
}

std::vector<Expected> SinRoots() {
    std::vector<Expected> out;
    for (int k = -3; k <= 3; ++k)
        out.push_back({K::Root, 0, -1, k * kPi, Ulps2(k * kPi), 0, 1e-15});
    return out;
}

std::vector<Expected> SinPoints() {
    std::vector<Expected> out = SinRoots();
    for (int k = -3; k <= 2; ++k) // pi/2 + k pi inside [-10, 10]
        out.push_back({k % 2 == 0 ? K::Maximum : K::Minimum, 0, -1, kPi / 2 + k * kPi, 1e-7,
                       k % 2 == 0 ? 1.0 : -1.0, 1e-14});
    return out;
}

std::vector<Expected> SinCosCrossings() { // pi/4 + k pi inside [-10, 10]
    std::vector<Expected> out;
    for (int k = -3; k <= 2; ++k)
        out.push_back({K::Cross, 0, 1, kPi / 4 + k * kPi, 1e-14,
                       (k % 2 == 0 ? 1 : -1) / std::sqrt(2.0), 1e-14});
    return out;
}

std::vector<Expected> ParabolaPoints() {
    return {{K::Root, 0, -1, -kSqrt3, Ulps2(kSqrt3), 0, 1e-14},
            {K::Minimum, 0, -1, 0, 1e-7, -3, 0},
            {K::Root, 0, -1, kSqrt3, Ulps2(kSqrt3), 0, 1e-14}};
}

std::vector<Case> Cases() {
    return {
        {"ParabolaRootsAndMinimum", {Start("x^2-3")}, ParabolaPoints()},
        {"SineRootsAndExtrema", {Start("sin(x)")}, SinPoints()},
        {"CubicBumps",
         {Start("x^3-3*x")},
         {{K::Root, 0, -1, -kSqrt3, 1e-14, 0, 1e-13},
          {K::Maximum, 0, -1, -1, 1e-7, 2, 1e-13},
          {K::Root, 0, -1, 0, 1e-300, 0, 1e-300},
          {K::Minimum, 0, -1, 1, 1e-7, -2, 1e-13},
          {K::Root, 0, -1, kSqrt3, 1e-14, 0, 1e-13}}},
        {"TouchingRootIsAlsoTheMinimum",
         {Start("(x-1)^2")},
         {{K::Root, 0, -1, 1, 1e-7, 0, 1e-12}, {K::Minimum, 0, -1, 1, 1e-7, 0, 1e-12}}},
        {"CornerTouchingTheAxis",
         {Start("abs(x)")},
         {{K::Root, 0, -1, 0, 1e-15, 0, 1e-15}, {K::Minimum, 0, -1, 0, 1e-15, 0, 1e-15}}},
        {"PoleIsNoRootNorExtremum", {Start("1/x")}, {}},
        {"TangentRootsButNothingAtItsPoles", {Start("tg(x)")}, SinRoots()},
        {"StepsGiveNothing", {Start("int(x)-0,5")}, {}},
        {"FlatBottomGivesNoMinimum", {Start("abs(x-1)+abs(x+1)")}, {}},
        {"RoundingNoiseOfAConstantGivesNothing", {Start("sin(x)^2+cos(x)^2")}, {}},
        {"SquareRootEndIsNoExtremum", {Start("sqrt(x)")}, {}},
        {"SawtoothJumpsAreNoRootsNorMaxima",
         {Start("frac(x)-0,5", 10)},
         [] { // roots at k + 1/2 for x > 0 only: frac(x) - 1/2 lies in (-3/2, -1/2] for x < 0
             std::vector<Expected> out;
             for (int k = 0; k <= 9; ++k)
                 out.push_back({K::Root, 0, -1, k + 0.5, 1e-14, 0, 1e-15});
             return out;
         }()},
        {"SineAndCosineCross",
         {Start("sin(x)"), Start("cos(x)")},
         [] {
             std::vector<Expected> out = SinCosCrossings();
             for (const Expected &e : SinPoints())
                 out.push_back(e);
             for (int k = -3; k <= 3; ++k) { // cos(x): extrema at k pi, roots between
                 out.push_back({k % 2 == 0 ? K::Maximum : K::Minimum, 1, -1, k * kPi, 1e-7,
                                k % 2 == 0 ? 1.0 : -1.0, 1e-14});
                 if (k > -3)
                     out.push_back({K::Root, 1, -1, k * kPi - kPi / 2, 1e-14, 0, 1e-15});
             }
             return out;
         }()},
        {"EqualBuildsCountOnce", {Start("x^2-3"), Start("x^2-3")}, ParabolaPoints()},
        {"EqualOverARunIsNoCrossing",
         {Start("x"), Start("(x+abs(x))/2", 2)},
         {{K::Root, 0, -1, 0, 1e-300, 0, 1e-300}}},
        {"CrossingOnTheCommonRangeOfDifferentSamples",
         {{"sin(x)", 0, 5, 20.0 / 641 / 2, {}}, Start("1")},
         {{K::Maximum, 0, -1, kPi / 2, 1e-7, 1, 1e-14},
          {K::Cross, 0, 1, kPi / 2, 1e-7, 1, 1e-14},
          {K::Root, 0, -1, kPi, Ulps2(kPi), 0, 1e-15},
          {K::Minimum, 0, -1, 3 * kPi / 2, 1e-7, -1, 1e-14}}},
    };
}

class FindPointsTest : public testing::TestWithParam<Case> {};

TEST_P(FindPointsTest, FindsExactlyThePointsWorkedOutByHand) {
    const Case &c = GetParam();
    PointsFound found = FindPoints(c.builds, 20);
    ASSERT_EQ(found.points.size(), c.points.size());
    for (std::size_t i = 1; i < found.points.size(); ++i) {
        const PointOfInterest &p = found.points[i - 1], &q = found.points[i];
        EXPECT_TRUE(p.x < q.x || (p.x == q.x && p.kind <= q.kind)) << i;
    }
    std::vector<bool> taken(found.points.size());
    for (const Expected &e : c.points) {
        bool matched = false;
        for (std::size_t i = 0; i < found.points.size() && !matched; ++i) {
            const PointOfInterest &p = found.points[i];
            matched = !taken[i] && p.kind == e.kind && p.first == e.first && p.second == e.second &&
                      std::fabs(p.x - e.x) <= e.xTolerance && std::fabs(p.y - e.y) <= e.yTolerance;
            taken[i] = taken[i] || matched;
        }
        EXPECT_TRUE(matched) << "kind " << e.kind << " of " << e.first << " at " << e.x;
    }
    EXPECT_TRUE(found.limited.empty());
}

INSTANTIATE_TEST_SUITE_P(Formulas, FindPointsTest, testing::ValuesIn(Cases()),
                         [](const testing::TestParamInfo<Case> &row) { return row.param.name; });

// sin(100x) has 637 roots and 636 extrema on the start field, one every pi/200 from the root
// at -318 pi/100: the first 1000 are kept.
TEST(FindPointsLimit, KeepsTheFirstThousandPointsOfABuildAndSaysSo) {
    const PointsFound found = FindPoints({Start("sin(100*x)", 10)}, 20);
    ASSERT_EQ(found.points.size(), kMaxPointsPerBuild);
    EXPECT_EQ(found.limited, std::vector<int>{0});
    EXPECT_NEAR(found.points.back().x, -318 * kPi / 100 + 999 * kPi / 200, 1e-6);
}

} // namespace
} // namespace kurvanto
