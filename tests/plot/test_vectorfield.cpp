// SPDX-License-Identifier: GPL-3.0-or-later
// The field as vectors: the recorder hears the points the build joins, and the SVG and PDF
// written from it hold them.
#include <QBuffer>
#include <QFile>
#include <QPainter>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QSvgRenderer>
#include <QTemporaryDir>
#include <QXmlStreamReader>
#include <gtest/gtest.h>
#include <string>
#include <vector>

#include "buildgraph.h"
#include "displaylist.h"
#include "recordinghost.h"
#include "vectorfield.h"

namespace kurvanto {
namespace {

constexpr TColor kRed = 0x0000FF, kBlue = 0xFF0000, kWhite = 0xFFFFFF;

// The polylines of an SVG document drawn in one stroke colour ("#rrggbb"), each as the points
// it lists, and the text of its text elements.
struct SvgContent {
    std::vector<QPolygonF> lines;
    QStringList texts;
    QString translate; // the transform of the last matching group
    bool wellFormed = false;
};

SvgContent ReadSvg(const QByteArray &svg, const QString &stroke) {
    SvgContent content;
    QXmlStreamReader xml(svg);
    std::vector<QString> strokes{QString()}, transforms{QString()};
    while (!xml.atEnd()) {
        xml.readNext();
        if (xml.isStartElement()) {
            const auto attributes = xml.attributes();
            strokes.push_back(attributes.hasAttribute("stroke")
                                  ? attributes.value("stroke").toString()
                                  : strokes.back());
            transforms.push_back(attributes.hasAttribute("transform")
                                     ? attributes.value("transform").toString()
                                     : transforms.back());
            if (xml.name() == QLatin1String("polyline") && strokes.back() == stroke) {
                QPolygonF line;
                const QStringList pairs =
                    attributes.value("points").toString().split(' ', Qt::SkipEmptyParts);
                for (const QString &pair : pairs) {
                    const QStringList xy = pair.split(',');
                    line << QPointF(xy.value(0).toDouble(), xy.value(1).toDouble());
                }
                content.lines.push_back(line);
                content.translate = transforms.back();
            } else if (xml.name() == QLatin1String("text")) {
                content.texts << xml.readElementText(QXmlStreamReader::IncludeChildElements);
                strokes.pop_back();
                transforms.pop_back();
            }
        } else if (xml.isEndElement()) {
            strokes.pop_back();
            transforms.pop_back();
        }
    }
    content.wellFormed = !xml.hasError();
    return content;
}

class VectorFieldTest : public ::testing::Test {
  protected:
    void SetUp() override {
        SetStartValues(state);
        state.AxesColor = kBlue;
        state.GraphColor = kRed;
        state.BackgroundColor = kWhite;
        canvas.setRecorder(&recorder);
    }

    QByteArray Svg() {
        QBuffer buffer;
        buffer.open(QIODevice::WriteOnly);
        EXPECT_TRUE(WriteVectorSvg(buffer, recorder, QStringLiteral("t")));
        return buffer.data();
    }

    PlotState state;
    Canvas canvas;
    VectorRecorder recorder;
    testing::RecordingHost host;
};

// y = x on the start values: sample i of 641 lies at column i and row
// Round(441 (641 - i) / 641); the walk starts at (0, 441) and ends at (641, 0).
TEST_F(VectorFieldTest, IdentityLineIsTheBuildsSamples) {
    BuildGraph(state, canvas, "x", host);
    const auto lines = recorder.polylines(Canvas::toQColor(kRed));
    ASSERT_EQ(lines.size(), 1u);
    const QPolygon &line = lines.front();
    ASSERT_EQ(line.size(), 642);
    EXPECT_EQ(line.front(), QPoint(0, 441));
    EXPECT_EQ(line[1], QPoint(1, 440));     // 441 * 640 / 641 = 440.31
    EXPECT_EQ(line[320], QPoint(320, 221)); // 441 * 321 / 641 = 220.84
    EXPECT_EQ(line[500], QPoint(500, 97));  // 441 * 141 / 641 = 97.01
    EXPECT_EQ(line.back(), QPoint(641, 0));
    // The axes: two separate lines in their own colour, as the run draws them.
    const auto axes = recorder.polylines(Canvas::toQColor(kBlue));
    ASSERT_EQ(axes.size(), 2u);
    EXPECT_EQ(axes[0], QPolygon({QPoint(320, 1), QPoint(320, 440)}));
    EXPECT_EQ(axes[1], QPolygon({QPoint(1, 220), QPoint(640, 220)}));

    // Every point the raster walk started a line from is painted in the curve's colour.
    const QRgb red = qRgb(255, 0, 0);
    for (int i = 0; i + 1 < line.size(); ++i)
        if (canvas.image().rect().contains(line[i]) && line[i].x() != 320) {
            EXPECT_EQ(canvas.image().pixel(line[i]), red) << i;
        }
}

TEST_F(VectorFieldTest, SvgHoldsTheSamePoints) {
    BuildGraph(state, canvas, "x^2-3", host);
    const SvgContent svg = ReadSvg(Svg(), QStringLiteral("#ff0000"));
    ASSERT_TRUE(svg.wellFormed);
    const auto lines = recorder.polylines(Canvas::toQColor(kRed));
    ASSERT_EQ(svg.lines.size(), lines.size());
    for (std::size_t i = 0; i < lines.size(); ++i)
        EXPECT_EQ(svg.lines[i], QPolygonF(lines[i])) << i;
    // The lines run through the pixels' centres.
    EXPECT_EQ(svg.translate, QStringLiteral("matrix(1,0,0,1,0.5,0.5)"));
}

struct SplitCase {
    const char *name;
    const char *formula;
    bool breaks;
    std::size_t polylines;
};

class VectorSplitTest : public VectorFieldTest, public ::testing::WithParamInterface<SplitCase> {};

// With breaks on, a line is split where the raster walk moves without drawing; off, the walk
// joins the two branches of 1/x across the field.
TEST_P(VectorSplitTest, PolylinesSplitWhereTheWalkMoves) {
    FieldOptions options;
    options.breaks = GetParam().breaks;
    BuildGraph(state, canvas, GetParam().formula, host, options);
    const auto lines = recorder.polylines(Canvas::toQColor(kRed));
    EXPECT_EQ(lines.size(), GetParam().polylines);
    const int bottom = state.FieldHeight;
    for (const QPolygon &line : lines)
        for (int i = 0; i + 1 < line.size(); ++i) {
            const bool across = (line[i].y() < 0 && line[i + 1].y() > bottom) ||
                                (line[i].y() > bottom && line[i + 1].y() < 0);
            EXPECT_TRUE(!options.breaks || !across) << i;
        }
}

INSTANTIATE_TEST_SUITE_P(
    Formulas, VectorSplitTest,
    ::testing::Values(SplitCase{"HyperbolaJoined", "1/x", false, 1},
                      SplitCase{"HyperbolaBroken", "1/x", true, 2},
                      SplitCase{"LineWhole", "x", true, 1},
                      // sqrt fails left of 0: the walk starts at the first sample it can draw.
                      SplitCase{"RootFromZero", "sqrt(x)", true, 1}),
    [](const auto &row) { return std::string(row.param.name); });

// The SVG drawn back at the field's size: every pixel of the curve in the raster has the
// curve's colour within a pixel of it in the vector picture, and the other way round.
TEST_F(VectorFieldTest, SvgDrawnBackAgreesWithTheRasterWithinAPixel) {
    BuildGraph(state, canvas, "sin(x)*4+x/2", host);
    QSvgRenderer renderer(Svg());
    ASSERT_TRUE(renderer.isValid());
    QImage drawn(canvas.image().size(), QImage::Format_RGB32);
    drawn.fill(Qt::white);
    QPainter painter(&drawn);
    renderer.render(&painter, QRectF(QPointF(0, 0), QSizeF(drawn.size())));
    painter.end();
    const auto reddish = [](QRgb c) {
        return qRed(c) > 160 && qGreen(c) < 200 && qRed(c) > qGreen(c) + 50;
    };
    const auto near = [&](const QImage &image, int x, int y, bool exact) {
        for (int dy = -1; dy <= 1; ++dy)
            for (int dx = -1; dx <= 1; ++dx) {
                const QPoint p(x + dx, y + dy);
                if (!image.rect().contains(p))
                    continue;
                const QRgb c = image.pixel(p);
                if (exact ? c == qRgb(255, 0, 0) : reddish(c))
                    return true;
            }
        return false;
    };
    int raster = 0, vector = 0;
    for (int y = 0; y < drawn.height(); ++y)
        for (int x = 0; x < drawn.width(); ++x) {
            if (canvas.image().pixel(x, y) == qRgb(255, 0, 0)) {
                ++raster;
                EXPECT_TRUE(near(drawn, x, y, false)) << x << "," << y;
            }
            if (qRed(drawn.pixel(x, y)) > 200 && qGreen(drawn.pixel(x, y)) < 120) {
                ++vector;
                EXPECT_TRUE(near(canvas.image(), x, y, true)) << x << "," << y;
            }
        }
    EXPECT_GT(raster, 600);
    EXPECT_GT(vector, 300);
}

TEST_F(VectorFieldTest, RecordingLeavesTheRasterAlone) {
    BuildGraph(state, canvas, "sin(x)*5", host);
    Canvas plain;
    PlotState again;
    SetStartValues(again);
    again.AxesColor = kBlue;
    again.GraphColor = kRed;
    again.BackgroundColor = kWhite;
    BuildGraph(again, plain, "sin(x)*5", host);
    EXPECT_EQ(canvas.image(), plain.image());
}

TEST_F(VectorFieldTest, FieldDrawnAgainKeepsOnlyTheNewPicture) {
    FieldOptions options;
    options.grid = options.numbers = options.legend = true;
    BuildGraph(state, canvas, "x", host, options);
    DisplayList list;
    list.recordBuild(state, "x");
    RedrawField(state, canvas, list, options, host);
    // The redraw starts from an empty picture: one background, one curve.
    int fills = 0;
    for (const VectorOp &op : recorder.ops())
        fills += op.kind == VectorOp::Fill && op.rect == QRect(0, 0, 640, 441);
    EXPECT_EQ(fills, 1);
    EXPECT_EQ(recorder.polylines(Canvas::toQColor(kRed)).size(), 1u);
    EXPECT_EQ(recorder.size(), QSize(640, 441));

    const SvgContent svg = ReadSvg(Svg(), QStringLiteral("#ff0000"));
    ASSERT_TRUE(svg.wellFormed);
    // Numbers of both axes (the grid's step 2 at 20 units over 641 pixels) and the legend.
    EXPECT_TRUE(svg.texts.contains(QStringLiteral("4"))) << svg.texts.join('|').toStdString();
    EXPECT_TRUE(svg.texts.contains(QStringLiteral("-8")));
    EXPECT_TRUE(svg.texts.contains(QStringLiteral("x")));
}

TEST_F(VectorFieldTest, PdfIsWholeAndReadable) {
    BuildGraph(state, canvas, "x^2", host);
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    ASSERT_TRUE(WriteVectorPdf(buffer, recorder, QStringLiteral("x^2")));
    const QByteArray pdf = buffer.data();
    EXPECT_TRUE(pdf.startsWith("%PDF-"));
    EXPECT_TRUE(pdf.trimmed().endsWith("%%EOF"));
    const QString pdfinfo = QStandardPaths::findExecutable(QStringLiteral("pdfinfo"));
    if (pdfinfo.isEmpty())
        return;
    QTemporaryDir dir;
    QFile file(dir.filePath(QStringLiteral("a.pdf")));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(pdf);
    file.close();
    QProcess info;
    info.start(pdfinfo, {file.fileName()});
    ASSERT_TRUE(info.waitForFinished(30000));
    EXPECT_EQ(info.exitCode(), 0);
    const QString out = QString::fromUtf8(info.readAllStandardOutput());
    EXPECT_TRUE(out.contains(QRegularExpression(QStringLiteral("Pages:\\s+1\\n"))));
    // 640 x 441 pixels at 96 dots per inch: 480 x 330.75 points.
    EXPECT_TRUE(out.contains(QRegularExpression(QStringLiteral("Page size:\\s+480 x 33[01]"))))
        << out.toStdString();
}

// A canvas without pixels records the same field: y = x runs through the top right corner,
// so the legend has to look at the curve's pixels to go elsewhere.
TEST_F(VectorFieldTest, WithoutPixelsTheSameRecording) {
    FieldOptions options;
    options.grid = options.numbers = options.legend = true;
    PlotState again = state;
    BuildGraph(state, canvas, "x", host, options);
    DisplayList list;
    list.recordBuild(state, "x");
    RedrawField(state, canvas, list, options, host);
    const QByteArray withPixels = Svg();

    Canvas bare;
    bare.setPixels(false);
    recorder = VectorRecorder();
    bare.setRecorder(&recorder);
    BuildGraph(again, bare, "x", host, options);
    RedrawField(again, bare, list, options, host);
    EXPECT_TRUE(bare.image().isNull());
    EXPECT_EQ(bare.size(), QSize(640, 441));
    EXPECT_EQ(Svg(), withPixels);
}

} // namespace
} // namespace kurvanto
