// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The drawing field on the screen: shows the canvas's picture at its top left, one picture
// pixel per logical pixel, and reports mouse moves, presses, releases and wheel turns in
// picture pixels, and the view keys while it has the focus (a click gives it).
#include <QWidget>

#include "canvas.h"

namespace kurvanto {

class PictureBox : public QWidget {
    Q_OBJECT
  public:
    explicit PictureBox(const Canvas &canvas, QWidget *parent = nullptr);

  signals:
    void mouseMoved(Qt::KeyboardModifiers modifiers, int x, int y);
    void mousePressed(Qt::MouseButton button, int x, int y);
    // Moved with the left button held (as well as mouseMoved).
    void mouseDragged(int x, int y);
    void mouseReleased(Qt::MouseButton button, int x, int y);
    // The wheel turned by `eighths` eighths of a degree (120 a notch, up positive) with the
    // pointer at (x, y), in picture pixels with their fractions.
    void wheelTurned(double x, double y, int eighths);
    // "+" or "-", an arrow key or Home, without Ctrl or Alt.
    void viewKeyPressed(int key);
    void mouseLeft();

  protected:
    void paintEvent(QPaintEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void wheelEvent(QWheelEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void leaveEvent(QEvent *event) override;

  private:
    const Canvas &canvas_;
};

} // namespace kurvanto
