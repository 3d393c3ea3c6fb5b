// SPDX-License-Identifier: GPL-3.0-or-later
// The build refuses a formula the program does not accept, as it refuses a malformed one:
// the error label, nothing drawn, the field treated as for a formula the trial finds
// malformed. A number the conversion refuses keeps its own error.
#include <gtest/gtest.h>
#include <string>

#include "buildgraph.h"
#include "buildscene.h"
#include "errors.h"
#include "pixels.h"

namespace kurvanto {
namespace {

constexpr TColor kRed = 0x0000FF, kGreen = 0x00FF00, kBlue = 0xFF0000;

class AcceptanceBuildTest : public ::testing::Test, public testing::BuildScene {
  protected:
    void SetUp() override {
        SetStartValues(state);
        state.AxesColor = kBlue;
        state.GraphColor = kRed;
        state.BackgroundColor = kGreen;
    }
    int Count(TColor color) const {
        return testing::CountPixels(canvas.image(), Canvas::toQColor(color).rgb());
    }
};

struct RefusedCase {
    const char *name;
    const char *formula;
};

void PrintTo(const RefusedCase &c, std::ostream *os) {
    *os << c.name;
}

class RefusedTest : public AcceptanceBuildTest,
                    public ::testing::WithParamInterface<RefusedCase> {};

// On the start values (a clear pending) the field is filled with the background and nothing
// else: 640 x 441 green pixels, no axes, no curve.
TEST_P(RefusedTest, FieldFilledErrorShownNothingDrawn) {
    Build(GetParam().formula);
    ASSERT_FALSE(canvas.isEmpty());
    EXPECT_EQ(Count(kGreen), 640 * 441);
    EXPECT_TRUE(host.errorLabel);
    EXPECT_FALSE(host.readouts);
    EXPECT_EQ(state.GraphPresent, 0);
    EXPECT_EQ(state.ClearPending, 1);
}

// After a curve, with no clear pending, a refused formula leaves the picture and the state
// exactly as a formula the trial finds malformed ('x+') does.
TEST_P(RefusedTest, SameEffectAsAMalformedFormula) {
    Build("x");
    Build("x+");
    const QImage malformed = canvas.image().copy();
    const PlotState afterMalformed = state;

    Canvas second;
    PlotState state2;
    SetStartValues(state2);
    state2.AxesColor = kBlue;
    state2.GraphColor = kRed;
    state2.BackgroundColor = kGreen;
    testing::RecordingHost host2;
    BuildGraph(state2, second, "x", host2);
    BuildGraph(state2, second, GetParam().formula, host2);
    EXPECT_TRUE(second.image() == malformed);
    EXPECT_TRUE(host2.errorLabel);
    EXPECT_EQ(state2.GraphPresent, afterMalformed.GraphPresent);
    EXPECT_EQ(state2.ClearPending, afterMalformed.ClearPending);
    EXPECT_EQ(state2.StartValue, afterMalformed.StartValue);
    EXPECT_EQ(state2.CurrentX, afterMalformed.CurrentX);
}

INSTANTIATE_TEST_SUITE_P(AcceptanceBuild, RefusedTest,
                         ::testing::Values(RefusedCase{"MalformedAtTheTrial", "x+"},
                                           RefusedCase{"TextAfterTheEnd", "2 x"},
                                           RefusedCase{"ParenthesisAfterTheEnd", "x)+5"},
                                           RefusedCase{"TokenInPlaceOfClosing", "(x+1 2)"},
                                           RefusedCase{"FailureHiddenAtTheTrial", "foo(x)+1/(x-2)"},
                                           RefusedCase{"CyrillicX", "х"}),
                         [](const ::testing::TestParamInfo<RefusedCase> &param) {
                             return std::string(param.param.name);
                         });

// '2 x' drew the line y = 2 before; now nothing of it: the red pixels are those of 'x' alone.
TEST_F(AcceptanceBuildTest, TextAfterTheEndDrawsNoLine) {
    Build("x");
    const int line = Count(kRed);
    ASSERT_GT(line, 600);
    Build("2 x");
    EXPECT_EQ(Count(kRed), line);
    EXPECT_TRUE(host.errorLabel);
}

// A missing ")" at the very end stays harmless: 'sin(x' draws exactly what 'sin(x)' draws.
TEST_F(AcceptanceBuildTest, MissingClosingAtTheEndDraws) {
    Build("sin(x)");
    const QImage closed = canvas.image().copy();
    state.ClearPending = 1;
    Build("sin(x");
    EXPECT_TRUE(canvas.image() == closed);
    EXPECT_FALSE(host.errorLabel);
    EXPECT_EQ(state.GraphPresent, 1);
}

// A number the conversion refuses ends the run with the conversion's own error before the
// picture, also when an earlier fault of the text would refuse it.
TEST_F(AcceptanceBuildTest, MalformedNumberKeepsTheConversionError) {
    for (const char *formula : {"x+2,,5", "sinx+2,,5"}) {
        try {
            Build(formula);
            ADD_FAILURE() << formula << ": no error";
        } catch (const ConversionError &error) {
            EXPECT_STREQ(error.what(), "'2,,5' is not a valid floating point value") << formula;
        }
        EXPECT_TRUE(canvas.isEmpty()) << formula;
        EXPECT_FALSE(host.errorLabel) << formula;
    }
}

} // namespace
} // namespace kurvanto
