// SPDX-License-Identifier: GPL-3.0-or-later
#include "vectorfield.h"

#include <QFontInfo>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QSvgGenerator>
#include <algorithm>

namespace kurvanto {

namespace {

constexpr int kVectorDpi = 96;

QPen LinePen(const VectorOp &op) {
    QPen pen(op.color);
    pen.setWidth(op.penWidth);
    pen.setStyle(op.penStyle);
    pen.setCapStyle(Qt::SquareCap);
    pen.setJoinStyle(Qt::MiterJoin);
    return pen;
}

} // namespace

void VectorRecorder::pictureCleared() {
    ops_.clear();
    size_ = QSize();
}

void VectorRecorder::pictureSized(QSize size) {
    size_ = size;
}

void VectorRecorder::filled(const QRect &rect, const QColor &color) {
    VectorOp op;
    op.kind = VectorOp::Fill;
    op.rect = rect;
    op.color = color;
    ops_.push_back(op);
}

void VectorRecorder::line(QPoint from, QPoint to, const QColor &color, int width,
                          Qt::PenStyle style) {
    if (!ops_.empty()) {
        VectorOp &last = ops_.back();
        if (last.kind == VectorOp::Lines && last.color == color && last.penWidth == width &&
            last.penStyle == style && last.points.back() == from) {
            last.points.append(to);
            return;
        }
    }
    VectorOp op;
    op.kind = VectorOp::Lines;
    op.color = color;
    op.penWidth = width;
    op.penStyle = style;
    op.points << from << to;
    ops_.push_back(op);
}

void VectorRecorder::text(const QRect &box, int baseline, const QString &text, const QFont &font,
                          const QColor &color, const QColor &background) {
    VectorOp op;
    op.kind = VectorOp::Text;
    op.rect = box;
    op.baseline = baseline;
    op.text = text;
    // The family the text was really drawn in, so that a file names a font that exists.
    op.font = font;
    op.font.setFamily(QFontInfo(font).family());
    op.color = color;
    op.background = background;
    ops_.push_back(op);
}

void VectorRecorder::image(const QImage &picture) {
    VectorOp op;
    op.kind = VectorOp::Image;
    op.image = picture;
    ops_.push_back(op);
}

std::vector<QPolygon> VectorRecorder::polylines(const QColor &color) const {
    std::vector<QPolygon> result;
    for (const VectorOp &op : ops_)
        if (op.kind == VectorOp::Lines && op.color == color)
            result.push_back(op.points);
    return result;
}

void ReplayInto(const VectorRecorder &field, Canvas &canvas, QPoint offset) {
    for (const VectorOp &op : field.ops()) {
        switch (op.kind) {
        case VectorOp::Fill:
            canvas.setBrushColor(Canvas::fromQColor(op.color));
            canvas.fillRect(op.rect.translated(offset));
            break;
        case VectorOp::Lines:
            canvas.setPenColor(Canvas::fromQColor(op.color));
            canvas.setPenWidth(op.penWidth);
            canvas.setPenStyle(op.penStyle);
            canvas.moveTo(op.points.first().x() + offset.x(), op.points.first().y() + offset.y());
            for (int i = 1; i < op.points.size(); ++i)
                canvas.lineTo(op.points[i].x() + offset.x(), op.points[i].y() + offset.y());
            break;
        case VectorOp::Text:
            canvas.setFont(op.font);
            canvas.setFontColor(Canvas::fromQColor(op.color));
            canvas.setBrushColor(Canvas::fromQColor(op.background));
            canvas.textOut(op.rect.left() + offset.x(), op.rect.top() + offset.y(), op.text);
            break;
        case VectorOp::Image:
            break; // only a field with no list has one, and nothing is placed on it
        }
    }
}

void DrawVectorField(QPainter &painter, const VectorRecorder &field) {
    painter.save();
    painter.setClipRect(QRect(QPoint(0, 0), field.size()));
    for (const VectorOp &op : field.ops()) {
        switch (op.kind) {
        case VectorOp::Fill:
            painter.fillRect(op.rect, op.color);
            break;
        case VectorOp::Lines:
            // A pixel of the raster is the unit square right and below its position: the
            // lines run through the squares' centres.
            painter.save();
            painter.translate(0.5, 0.5);
            painter.setPen(LinePen(op));
            painter.setBrush(Qt::NoBrush);
            painter.drawPolyline(op.points);
            painter.restore();
            break;
        case VectorOp::Text:
            if (op.background.alpha() != 0) // glyphs alone: nothing behind them
                painter.fillRect(op.rect, op.background);
            painter.setFont(op.font);
            painter.setPen(op.color);
            painter.drawText(QPoint(op.rect.left(), op.baseline), op.text);
            break;
        case VectorOp::Image:
            painter.drawImage(QPoint(0, 0), op.image);
            break;
        }
    }
    painter.restore();
}

void DrawVectorFieldInto(QPainter &painter, const VectorRecorder &field, const QRectF &target) {
    const QSize size = field.size();
    if (size.isEmpty() || target.isEmpty())
        return;
    const double scale = std::min(target.width() / size.width(), target.height() / size.height());
    painter.save();
    painter.translate(target.left() + (target.width() - size.width() * scale) / 2,
                      target.top() + (target.height() - size.height() * scale) / 2);
    painter.scale(scale, scale);
    DrawVectorField(painter, field);
    painter.restore();
}

bool WriteVectorSvg(QIODevice &device, const VectorRecorder &field, const QString &title) {
    if (field.size().isEmpty())
        return false; // nothing was drawn: no empty picture passes for one
    QSvgGenerator svg;
    svg.setOutputDevice(&device);
    svg.setSize(field.size());
    svg.setViewBox(QRect(QPoint(0, 0), field.size()));
    svg.setResolution(kVectorDpi);
    svg.setTitle(title);
    QPainter painter;
    if (!painter.begin(&svg))
        return false;
    DrawVectorField(painter, field);
    return painter.end();
}

bool WriteVectorPdf(QIODevice &device, const VectorRecorder &field, const QString &title) {
    if (field.size().isEmpty())
        return false; // nothing was drawn: no empty picture passes for one
    QPdfWriter pdf(&device);
    pdf.setTitle(title);
    pdf.setCreator(QStringLiteral("Kurvanto"));
    pdf.setResolution(kVectorDpi);
    const QSizeF points(field.size().width() * 72.0 / kVectorDpi,
                        field.size().height() * 72.0 / kVectorDpi);
    pdf.setPageLayout(QPageLayout(QPageSize(points, QPageSize::Point), QPageLayout::Portrait,
                                  QMarginsF(0, 0, 0, 0)));
    QPainter painter;
    if (!painter.begin(&pdf))
        return false;
    DrawVectorFieldInto(painter, field, QRectF(0, 0, pdf.width(), pdf.height()));
    return painter.end();
}

} // namespace kurvanto
