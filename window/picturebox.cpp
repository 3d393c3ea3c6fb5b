#include "picturebox.h"

#include <QMouseEvent>
#include <QPainter>
#include <cmath>

#include "rounding.h"

namespace kurvanto {

namespace {

// The picture pixel under a logical position (left of and above the picture stay negative).
int PicturePixel(qreal position) {
    return TryTrunc(std::floor(position)).value_or(0);
}

} // namespace

PictureBox::PictureBox(const Canvas &canvas, QWidget *parent) : QWidget(parent), canvas_(canvas) {
    setMouseTracking(true);
}

void PictureBox::paintEvent(QPaintEvent *) {
    if (canvas_.isEmpty())
        return; // an empty picture lets the panel show through
    QImage image = canvas_.image();
    image.setDevicePixelRatio(1.0); // one picture pixel per logical pixel
    QPainter painter(this);
    painter.drawImage(QPoint(0, 0), image);
}

void PictureBox::mouseMoveEvent(QMouseEvent *event) {
    emit mouseMoved(event->modifiers(), PicturePixel(event->position().x()),
                    PicturePixel(event->position().y()));
}

void PictureBox::mousePressEvent(QMouseEvent *event) {
    emit mousePressed(event->button(), PicturePixel(event->position().x()),
                      PicturePixel(event->position().y()));
}

} // namespace kurvanto
