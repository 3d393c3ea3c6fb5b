#pragma once
// The drawing field on the screen: shows the canvas's picture at its top left, one picture
// pixel per logical pixel, and reports mouse moves and presses in picture pixels.
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

  protected:
    void paintEvent(QPaintEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;

  private:
    const Canvas &canvas_;
};

} // namespace kurvanto
