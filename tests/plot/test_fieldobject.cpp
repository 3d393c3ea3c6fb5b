// SPDX-License-Identifier: GPL-3.0-or-later
// The field as one object: after every build or mark with the grid, the numbers or the legend
// on it is the picture of its list drawn again; with them off, the picture of the plain build.
// And the table of picture formats, read by the window and the tool alike.
#include <QImage>
#include <gtest/gtest.h>
#include <string>

#include "annotation.h"
#include "field.h"
#include "pictureformat.h"
#include "recordinghost.h"

namespace kurvanto {
namespace {

struct OptionsCase {
    const char *name;
    FieldOptions options;
};

class FieldRedrawRule : public ::testing::TestWithParam<OptionsCase> {
  protected:
    void SetUp() override {
        SetStartValues(state);
        field.loadOptions(GetParam().options);
    }
    // The picture of the field's list drawn anew on a field of its own.
    QImage drawnAgain() {
        PlotState copy = state;
        Canvas canvas;
        RedrawField(copy, canvas, field.displayList(), GetParam().options, host);
        return canvas.image();
    }
    PlotState state;
    testing::RecordingHost host;
    Field field{state, host};
};

TEST_P(FieldRedrawRule, EveryBuildAndMarkLeavesTheFieldDrawnAgain) {
    const FieldOptions &o = GetParam().options;
    const bool overlays = o.grid || o.numbers || o.legend;
    ASSERT_TRUE(field.build("x^2-3"));
    // The first build on a fresh field too: with the legend on, the legend is there.
    EXPECT_EQ(field.canvas().image(), drawnAgain());
    if (!overlays) { // options off: exactly the plain build's picture
        PlotState plain;
        SetStartValues(plain);
        Canvas canvas;
        BuildGraph(plain, canvas, "x^2-3", host);
        EXPECT_EQ(field.canvas().image(), canvas.image());
    }
    state.GraphColor = 0x0000FF;
    ASSERT_TRUE(field.build("sin(x)*3"));
    state.AnnotationX = Real48::from(1.5);
    field.addCorner();
    if (overlays) {
        EXPECT_EQ(field.canvas().image(), drawnAgain());
    }
    EXPECT_EQ(field.displayList().items().size(), 3u);
}

INSTANTIATE_TEST_SUITE_P(Field, FieldRedrawRule,
                         ::testing::Values(OptionsCase{"none", {}},
                                           OptionsCase{"legend", {false, false, false, true}},
                                           OptionsCase{"grid", {true, false, false, false}},
                                           OptionsCase{"numbers", {false, true, false, false}}),
                         [](const auto &row) { return std::string(row.param.name); });

TEST(FieldObject, RefusedBuildClearAndLabelsKeepTheList) {
    PlotState state;
    SetStartValues(state);
    testing::RecordingHost host;
    Field field(state, host);
    EXPECT_FALSE(field.build("sinx"));
    EXPECT_TRUE(field.displayList().empty());
    ASSERT_TRUE(field.build("x"));
    state.LabelText = QStringLiteral("A");
    nadpis(state);
    EXPECT_TRUE(field.labelClick(Qt::LeftButton, 100, 100));
    EXPECT_EQ(field.displayList().items().size(), 2u);
    EXPECT_TRUE(field.labelClick(Qt::RightButton, 5, 5)); // erases the label just placed
    EXPECT_EQ(field.displayList().items().size(), 1u);
    EXPECT_TRUE(field.labelClick(Qt::LeftButton, 120, 100)); // placed again
    EXPECT_FALSE(field.labelClick(Qt::LeftButton, 7, 7));    // the second click disarms
    EXPECT_FALSE(field.labelClick(Qt::RightButton, 7, 7));   // nothing armed any more
    EXPECT_EQ(field.displayList().items().size(), 2u);
    field.clear();
    EXPECT_EQ(state.ClearPending, 1);
    ASSERT_TRUE(field.build("x^2"));
    EXPECT_EQ(field.displayList().items().size(), 1u); // a fresh field starts a new list
}

TEST(PictureFormats, OneTableForTheWindowAndTheTool) {
    EXPECT_EQ(FormatNamesText(), "bmp, png, jpg, ppm, svg или pdf");
    EXPECT_EQ(ExtensionsText(), ".bmp, .png, .jpg, .jpeg, .ppm, .svg или .pdf");
    EXPECT_EQ(SaveFilters(),
              QStringList({QStringLiteral("Bitmap (*.bmp)"), QStringLiteral("PNG (*.png)"),
                           QStringLiteral("SVG (*.svg)"), QStringLiteral("PDF (*.pdf)")}));
    ASSERT_NE(FormatOfExtension("JPEG"), nullptr);
    EXPECT_EQ(FormatOfExtension("JPEG")->format, PictureFormat::Jpg);
    EXPECT_EQ(FormatOfExtension("gif"), nullptr);
    struct {
        const char *name, *filter;
        PictureFormat expected;
    } const cases[] = {
        {"a.PNG", "Bitmap (*.bmp)", PictureFormat::Png}, // a typed extension decides
        {"a.jpg", "PNG", PictureFormat::Png},            // the tool's formats are not offered
        {"a", "SVG", PictureFormat::Svg},                // the filter by its name alone
        {"a.txt", "unknown", PictureFormat::Bmp},
    };
    for (const auto &c : cases)
        EXPECT_EQ(SaveFormatFor(QString::fromLatin1(c.name), QString::fromLatin1(c.filter)),
                  c.expected)
            << c.name;
    EXPECT_EQ(FilterSuffix(QStringLiteral("PDF")), QStringLiteral("pdf"));
}

} // namespace
} // namespace kurvanto
