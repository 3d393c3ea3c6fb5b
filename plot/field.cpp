// SPDX-License-Identifier: GPL-3.0-or-later
#include "field.h"

#include <QBuffer>
#include <QFileInfo>
#include <QImageWriter>

#include "annotation.h"

namespace kurvanto {

namespace {

// Passes everything on to the field's host and notes whether the build showed the error.
class WatchingHost : public BuildGraphHost {
  public:
    explicit WatchingHost(BuildGraphHost &host) : host_(host) {}
    void askInterval() override { host_.askInterval(); }
    void setErrorLabelVisible(bool visible) override {
        refused = visible;
        host_.setErrorLabelVisible(visible);
    }
    void showReadoutLabels() override { host_.showReadoutLabels(); }
    void sampleProgress(std::int64_t done, std::int64_t total) override {
        host_.sampleProgress(done, total);
    }
    bool cancelRequested() override { return host_.cancelRequested(); }
    unsigned sampleThreads() const override { return host_.sampleThreads(); }

    bool refused = false;

  private:
    BuildGraphHost &host_;
};

// The builds of a redraw for a file: a build on an interval keeps its ends, nothing is shown
// or asked.
class QuietHost : public BuildGraphHost {
  public:
    void askInterval() override {}
    void setErrorLabelVisible(bool) override {}
    void showReadoutLabels() override {}
};

WriteResult Failed(const QString &why) {
    WriteResult failed;
    failed.ok = false;
    failed.error = why;
    return failed;
}

} // namespace

void Field::setOptions(const FieldOptions &options) {
    options_ = options;
    redraw();
}

bool Field::build(const std::string &formula) {
    return buildWith(formula, 0, {});
}

bool Field::buildWith(const std::string &formula, std::uint8_t fixed,
                      const ParameterValues &fixedValues) {
    const bool fresh = state_.ClearPending != 0;
    WatchingHost watching(host_);
    FieldItem probe;
    probe.fixedParameters = fixed;
    probe.fixedValues = fixedValues;
    const ParameterValues values = list_.valuesOf(probe);
    BuildGraph(state_, canvas_, formula, watching, options_, &values);
    if (watching.refused || !state_.GraphPresent)
        return false;
    if (fresh)
        list_.clear();
    list_.recordBuild(state_, formula, fixed, fixedValues);
    redrawWhenOverlays();
    return true;
}

bool Field::buildFamily(const std::string &formula, int parameter,
                        const std::vector<double> &values) {
    const TColor graphColor = state_.GraphColor;
    const int n = static_cast<int>(values.size());
    bool built = true;
    for (int i = 0; i < n && built; ++i) {
        ParameterValues fixed;
        fixed.value[static_cast<std::size_t>(parameter)] = values[static_cast<std::size_t>(i)];
        state_.GraphColor = FamilyColor(graphColor, i, n);
        try {
            built = buildWith(formula, static_cast<std::uint8_t>(1u << parameter), fixed);
        } catch (...) {
            state_.GraphColor = graphColor;
            throw;
        }
    }
    state_.GraphColor = graphColor;
    return built;
}

void Field::setParameters(const ParameterValues &values, bool draw) {
    list_.setParameters(values);
    if (draw)
        redraw();
}

void Field::addTicks() {
    nasec(state_, canvas_);
    list_.recordTicks(state_);
    redrawWhenOverlays();
}

void Field::addCorner() {
    ugolok(state_, canvas_);
    list_.recordCorner(state_);
    redrawWhenOverlays();
}

bool Field::applyConfirmedAnnotation() {
    if (state_.AnnotationConfirmed && state_.TickMode) {
        addTicks();
        return true;
    }
    if (state_.AnnotationConfirmed && state_.CornerMode) {
        addCorner();
        return true;
    }
    ApplyConfirmedAnnotation(state_, canvas_); // a label: arms the mouse
    return false;
}

bool Field::labelClick(Qt::MouseButton button, int x, int y) {
    const PlotState before = state_;
    LabelMouseDown(state_, canvas_, button, x, y);
    if (!before.LabelArmed)
        return false;
    if (button == Qt::LeftButton && before.LabelClickCount + 1 != 2) {
        list_.recordLabel(state_, x, y);
    } else if (button == Qt::RightButton || button == Qt::MiddleButton) {
        list_.eraseLabelAt(state_, before.LastClickX, before.LastClickY);
    } else {
        return false;
    }
    // A label goes under the numbers and the legend, and an erased one takes no grid with it.
    redrawWhenOverlays();
    return true;
}

void Field::clear() {
    canvas_.clear();
    list_.clear();
    state_.GraphPresent = 0;
    state_.ClearPending = 1;
}

void Field::redraw() {
    if (list_.empty())
        return;
    RedrawField(state_, canvas_, list_, options_, host_);
    drawRings(state_, canvas_);
}

void Field::setChosenPoint(std::optional<PointMark> point) {
    chosen_ = point;
    redraw();
}

void Field::drawRings(const PlotState &state, Canvas &canvas) const {
    std::vector<PointMark> marks;
    if (options_.points && pointSource_)
        marks = pointSource_(list_, state);
    if (chosen_) { // the chosen point: a wider open ring around it
        PointMark ring = *chosen_;
        ring.filled = false;
        ring.radius = kChosenMarkRadius;
        marks.push_back(ring);
    }
    DrawPointMarks(state, canvas, marks);
}

void Field::setRanges(const ViewRanges &view) {
    ApplyView(state_, view);
    redraw();
}

void Field::redrawWhenOverlays() {
    if (overlaysOn())
        redraw();
}

void Field::recordVectors(VectorRecorder &out) const {
    Canvas canvas;
    canvas.setPixels(false); // the vectors need no raster of the field's size
    canvas.setRecorder(&out);
    if (list_.empty()) {
        // Nothing to draw again: the picture as it is, at its size.
        out.pictureCleared();
        out.pictureSized(canvas_.image().size());
        out.image(canvas_.image());
        return;
    }
    PlotState copy = state_;
    QuietHost host;
    RedrawField(copy, canvas, list_, options_, host);
    drawRings(copy, canvas);
}

WriteResult Field::encode(QByteArray &bytes, PictureFormat format, const QString &title) const {
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    const PictureFormatInfo &info = FormatInfo(format);
    if (!info.vector) {
        QImageWriter writer(&buffer, info.writerName);
        if (writer.write(canvas_.image()))
            return {};
        return Failed(QStringLiteral("рисунок не удалось записать в формате %1: %2")
                          .arg(QLatin1String(info.writerName), writer.errorString()));
    }
    VectorRecorder vectors;
    try {
        recordVectors(vectors);
    } catch (...) {
        return Failed(QStringLiteral("поле не удалось нарисовать заново"));
    }
    const bool made = format == PictureFormat::Svg ? WriteVectorSvg(buffer, vectors, title)
                                                   : WriteVectorPdf(buffer, vectors, title);
    return made ? WriteResult{} : Failed(QStringLiteral("не удалось подготовить содержимое файла"));
}

WriteResult Field::write(const QString &fileName, PictureFormat format) const {
    const PictureFormatInfo &info = FormatInfo(format);
    if (!info.vector)
        return SaveImageFile(canvas_.image(), fileName, info.writerName);
    VectorRecorder vectors;
    try {
        recordVectors(vectors);
    } catch (...) {
        // The ranges of the shown picture drew it once: drawing it again fails only with them.
        return Failed(QStringLiteral("поле не удалось нарисовать заново"));
    }
    const QString title = QFileInfo(fileName).completeBaseName();
    return WriteFileWhole(fileName, [&](QIODevice &device) {
        return format == PictureFormat::Svg ? WriteVectorSvg(device, vectors, title)
                                            : WriteVectorPdf(device, vectors, title);
    });
}

} // namespace kurvanto
