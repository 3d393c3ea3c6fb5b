// SPDX-License-Identifier: GPL-3.0-or-later
// The field's parameters: builds that read the current values, families holding their own,
// the field drawn again with new values, and the worksheet that keeps them.
#include <QImage>
#include <gtest/gtest.h>
#include <string>
#include <vector>

#include "field.h"
#include "recordinghost.h"
#include "worksheet.h"

namespace kurvanto {
namespace {

ParameterValues With(int index, double value, ParameterValues values = {}) {
    values.value[static_cast<std::size_t>(index)] = value;
    return values;
}
constexpr int kB = 1, kC = 2, kK = 3;

// A field at the start values, 800 x 600, precision 10, on white.
class ParamField : public ::testing::Test {
  protected:
    void SetUp() override { Prepare(state); }
    static void Prepare(PlotState &s) {
        SetStartValues(s);
        s.FieldWidth = 800;
        s.FieldHeight = 600;
        s.Precision = 10;
        s.BackgroundColor = 0xFFFFFF;
        s.GraphColor = 0x0000C0;
    }
    // The builds one by one on a field of its own, each in its colour, with no parameters.
    QImage oneByOne(const std::vector<std::pair<std::string, TColor>> &builds) {
        PlotState s;
        Prepare(s);
        Field plain(s, host);
        for (const auto &[formula, color] : builds) {
            s.GraphColor = color;
            EXPECT_TRUE(plain.build(formula)) << formula;
        }
        return plain.canvas().image();
    }
    PlotState state;
    testing::RecordingHost host;
    Field field{state, host};
};

TEST_F(ParamField, BuildsReadTheCurrentValuesAndFollowNewOnes) {
    field.setParameters(With(kB, -1, With(kK, 2)));
    ASSERT_TRUE(field.build("k*x+b"));
    EXPECT_EQ(field.canvas().image(), oneByOne({{"2*x-1", 0x0000C0}}));
    ASSERT_TRUE(field.build("x^2/10"));
    field.setParameters(With(kK, -0.5));
    EXPECT_EQ(field.canvas().image(), oneByOne({{"-0,5*x+1", 0x0000C0}, {"x^2/10", 0x0000C0}}));
}

TEST_F(ParamField, FamilyIsItsMembersDrawnOneByOne) {
    field.setParameters(With(kC, 7)); // the family holds c; the current value plays no part
    ASSERT_TRUE(field.buildFamily("x^2+c", kC, {-2, -1, 0, 1, 2}));
    const char *members[] = {"x^2-2", "x^2-1", "x^2+0", "x^2+1", "x^2+2"};
    std::vector<std::pair<std::string, TColor>> builds;
    for (int i = 0; i < 5; ++i)
        builds.push_back({members[i], FamilyColor(0x0000C0, i, 5)});
    EXPECT_EQ(field.canvas().image(), oneByOne(builds));
    EXPECT_EQ(state.GraphColor, 0x0000C0u);
    const auto legend = field.displayList().legend();
    ASSERT_EQ(legend.size(), 5u);
    EXPECT_EQ(legend[0].text, QStringLiteral("x^2+c, c = -2"));
    // From the graph colour to 0,6 of the way to white.
    EXPECT_EQ(legend[4].color, 0x9999E6u);
    EXPECT_EQ(FamilyColor(0x0000C0, 2, 5), 0x4D4DD3u);
}

TEST_F(ParamField, WorksheetKeepsValuesRangesAndFixedValues) {
    field.setParameters(With(kK, 0.1));
    ParameterRanges ranges;
    ranges[kK] = {-1, 3, 0.25};
    field.setParameterRanges(ranges);
    ASSERT_TRUE(field.buildFamily("k*x+c", kC, {-0.5, 0.5}));
    const Worksheet sheet = field.worksheet();
    const WorksheetRead read = ParseWorksheet(WorksheetJson(sheet));
    ASSERT_TRUE(read.sheet.has_value()) << read.fault.toStdString();
    EXPECT_EQ(WorksheetJson(*read.sheet), WorksheetJson(sheet));
    EXPECT_EQ(read.sheet->items[1].fixedValues.value[kC], 0.5);
    EXPECT_EQ(read.sheet->parameterRanges[kK].step, 0.25);
    // A sheet that keeps no parameters reads them as at first.
    QByteArray older = WorksheetJson(sheet);
    older.replace("\"parameters\"", "\"unknown-key\"");
    EXPECT_EQ(ParseWorksheet(older).sheet->parameters, ParameterValues{});
}

} // namespace
} // namespace kurvanto
