// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The drawing field's off-screen picture and its drawing surface, in the manner of the old
// platform: a pen position, lines that cover their first point and not their last, an
// opaque text output. Colours are TColor values (plotstate.h).
#include <QColor>
#include <QFont>
#include <QImage>
#include <QPoint>
#include <QRect>
#include <QString>
#include <cstdint>

#include "errors.h"
#include "plotstate.h"

namespace kurvanto {

class VectorRecorder;

// The memory for a picture of that size could not be had.
class PictureMemoryError : public CommandError {
  public:
    PictureMemoryError(int width, int height)
        : CommandError("недостаточно памяти для рисунка " + std::to_string(width) + " x " +
                       std::to_string(height)) {}
};

class Canvas {
  public:
    // The picture; null while empty, and always null without pixels.
    const QImage &image() const { return image_; }
    bool isEmpty() const { return size().isEmpty(); }
    QSize size() const { return pixels_ ? image_.size() : size_; }
    QRect rect() const { return QRect(QPoint(0, 0), size()); }

    // Without pixels the canvas only tells its recorder what is drawn and keeps no picture:
    // for vector output, which needs no raster of the field's size. Set it while empty.
    void setPixels(bool on) { pixels_ = on; }
    bool hasPixels() const { return pixels_; }

    // The picture inside `box` (which lies within rect()), as drawn; without pixels drawn again
    // from the recorder's list for that box alone.
    QImage region(const QRect &box) const;

    // Empties the picture; the next drawing creates it again.
    void clear();
    // On first use of an empty picture, creates it white at width x height. Throws
    // PictureMemoryError when there is no memory for it.
    void ensure(int width, int height);
    // Resizes a picture that exists (the old content kept at the top left, new parts white).
    void resize(int width, int height);

    void setPenColor(TColor color);
    void setPenWidth(int width);
    void setPenStyle(Qt::PenStyle style);
    void setBrushColor(TColor color);
    void setFont(const QFont &font);
    void setFontColor(TColor color);
    TColor brushColor() const { return brush_; }

    // Hears of everything drawn from now on (nullptr: nobody); the picture stays the same.
    void setRecorder(VectorRecorder *recorder) { recorder_ = recorder; }

    void fillRect(const QRect &rect);
    void moveTo(int x, int y);
    void lineTo(int x, int y); // covers (penPos) and not (x, y); then penPos := (x, y)
    void textOut(int x, int y, const QString &text); // opaque, brush colour behind
    // The glyphs alone, at the same place as textOut's: what lies behind them stays.
    void glyphsOut(int x, int y, const QString &text);
    QPoint penPos() const { return pen_pos_; }

    // A TColor as a QColor: plain 0x00BBGGRR, or a system colour through the palette.
    static QColor toQColor(TColor color);
    // A plain colour as the windowing system's colour value 0x00BBGGRR.
    static TColor fromQColor(const QColor &color) {
        return static_cast<TColor>(color.red()) | static_cast<TColor>(color.green()) << 8 |
               static_cast<TColor>(color.blue()) << 16;
    }
    // The picture's font until one is set: the toolkit's default, 8 points at 120 dpi.
    static QFont defaultFont();

  private:
    void drawLine(std::int64_t x0, std::int64_t y0, std::int64_t x1, std::int64_t y1);
    void plot(std::int64_t x, std::int64_t y, QRgb rgb);
    void drawText(int x, int y, const QString &text, const QColor &behind); // behind: or none

    QImage image_;
    bool pixels_ = true;
    QSize size_; // without pixels: the picture's size, empty while there is none
    TColor pen_ = 0, brush_ = 0xFFFFFF, font_color_ = 0;
    int pen_width_ = 1;
    Qt::PenStyle pen_style_ = Qt::SolidLine;
    QFont font_ = defaultFont();
    QPoint pen_pos_;
    std::int64_t dash_step_ = 0; // position in the dash pattern since the last moveTo
    VectorRecorder *recorder_ = nullptr;
};

} // namespace kurvanto
