// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The field as vectors: every line, fill and text the canvas draws, in pixel coordinates of
// the field, recorded while the raster picture is drawn, so that the vector picture holds the
// very points the build joined. Drawn again on any painter (SVG, PDF, a printer) at any size.
#include <QByteArray>
#include <QColor>
#include <QFont>
#include <QIODevice>
#include <QImage>
#include <QPoint>
#include <QPolygon>
#include <QRect>
#include <QRectF>
#include <QSize>
#include <QString>
#include <vector>

#include "canvas.h"

class QPainter;

namespace kurvanto {

struct VectorOp {
    enum Kind { Fill, Lines, Text, Image };
    Kind kind = Fill;
    QColor color;     // fill colour, pen colour, text colour
    QRect rect;       // Fill; Text: the box filled behind the text
    QPolygon points;  // Lines: a polyline through pixel positions, two points at least
    int penWidth = 1; // Lines
    Qt::PenStyle penStyle = Qt::SolidLine;
    QColor background; // Text: filled behind it, unless transparent
    QFont font;        // Text
    QString text;      // Text
    int baseline = 0;  // Text: the row of the baseline
    QImage image;      // Image: drawn at the top left corner
};

// Listens to a canvas (Canvas::setRecorder) and keeps what it draws. A line continuing from
// where the last one ended with the same pen joins that polyline; a move, a new pen or
// anything drawn between starts another.
class VectorRecorder {
  public:
    const std::vector<VectorOp> &ops() const { return ops_; }
    QSize size() const { return size_; }

    // Called by the canvas.
    void pictureCleared();
    void pictureSized(QSize size);
    void filled(const QRect &rect, const QColor &color);
    void line(QPoint from, QPoint to, const QColor &color, int width, Qt::PenStyle style);
    void text(const QRect &box, int baseline, const QString &text, const QFont &font,
              const QColor &color, const QColor &background);

    // A picture with no list to draw it from, as it is.
    void image(const QImage &picture);

    // The curves and lines in one colour: the polylines drawn with it, in order.
    std::vector<QPolygon> polylines(const QColor &color) const;

  private:
    std::vector<VectorOp> ops_;
    QSize size_;
};

// Draws the recorded steps again on a raster canvas, each moved by `offset`, with the canvas's
// own lines and text: the pixels the field's picture has, for the part the canvas covers.
void ReplayInto(const VectorRecorder &field, Canvas &canvas, QPoint offset);

// Draws the recorded field with its top left corner at the painter's origin, one pixel of the
// field one unit of the painter.
void DrawVectorField(QPainter &painter, const VectorRecorder &field);

// Draws it scaled into `target` with its aspect kept, centred.
void DrawVectorFieldInto(QPainter &painter, const VectorRecorder &field, const QRectF &target);

// The field as an SVG document, or as a one-page PDF the size of the field (a pixel a point at
// 96 dots per inch), written into the device; false when the painter could not start.
bool WriteVectorSvg(QIODevice &device, const VectorRecorder &field, const QString &title);
bool WriteVectorPdf(QIODevice &device, const VectorRecorder &field, const QString &title);

} // namespace kurvanto
