// SPDX-License-Identifier: GPL-3.0-or-later
#include "picturebox.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>
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
    setFocusPolicy(Qt::ClickFocus);
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
    const int x = PicturePixel(event->position().x()), y = PicturePixel(event->position().y());
    emit mouseMoved(event->modifiers(), x, y);
    if (event->buttons() & Qt::LeftButton)
        emit mouseDragged(x, y);
}

void PictureBox::mouseReleaseEvent(QMouseEvent *event) {
    emit mouseReleased(event->button(), PicturePixel(event->position().x()),
                       PicturePixel(event->position().y()));
}

void PictureBox::wheelEvent(QWheelEvent *event) {
    const int eighths = event->angleDelta().y();
    if (eighths == 0) {
        event->ignore();
        return;
    }
    emit wheelTurned(event->position().x(), event->position().y(), eighths);
    event->accept();
}

void PictureBox::leaveEvent(QEvent *event) {
    emit mouseLeft();
    QWidget::leaveEvent(event);
}

void PictureBox::keyPressEvent(QKeyEvent *event) {
    if (!(event->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))) {
        switch (event->key()) {
        case Qt::Key_Plus:
        case Qt::Key_Equal: // "+" without Shift on most layouts
        case Qt::Key_Minus:
        case Qt::Key_Left:
        case Qt::Key_Right:
        case Qt::Key_Up:
        case Qt::Key_Down:
        case Qt::Key_Home:
            emit viewKeyPressed(event->key());
            event->accept();
            return;
        default:
            break;
        }
    }
    QWidget::keyPressEvent(event);
}

void PictureBox::mousePressEvent(QMouseEvent *event) {
    emit mousePressed(event->button(), PicturePixel(event->position().x()),
                      PicturePixel(event->position().y()));
}

} // namespace kurvanto
