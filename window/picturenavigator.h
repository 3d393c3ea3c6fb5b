// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The view under the mouse and the keys: the wheel zooms about the pointer, a drag with the
// left button moves the field, "+", "-", the arrows and Home step the view. Each step changes
// the ranges, has the field drawn again and the read-out follow the pointer.
#include <QPoint>
#include <functional>

#include "field.h"
#include "view.h"

namespace kurvanto {

class PictureNavigator {
  public:
    // `redraw` draws the field again on its new ranges and shows it; `readAt` shows the
    // read-out at a picture pixel.
    PictureNavigator(Field &field, std::function<void()> redraw,
                     std::function<void(int x, int y)> readAt)
        : field_(field), redraw_(std::move(redraw)), readAt_(std::move(readAt)) {}

    // The pointer over the picture, and gone from it.
    void pointerMoved(int x, int y);
    void pointerLeft() { pointerOver_ = false; }

    // The left button on the picture starts a drag unless a label waits for the click.
    void pressed(Qt::MouseButton button, int x, int y);
    void released(Qt::MouseButton button);
    void dragged(int x, int y);
    void wheelTurned(double x, double y, int eighths);
    void viewKey(int key);

    void zoomAbout(double pixelX, double pixelY, double factor);
    void zoomIn();
    void zoomOut();
    void moveView(double dxPixels, double dyPixels);
    void home(); // the ranges the properties dialog last applied
    void showView(const ViewRanges &view);

  private:
    void viewChanged();

    Field &field_;
    std::function<void()> redraw_;
    std::function<void(int, int)> readAt_;
    bool leftDown_ = false; // the left button went down on the picture, no label armed
    bool dragging_ = false; // ... and the mouse has moved since
    QPoint pressedAt_;
    QPoint pointer_;           // the last pointer position over the picture
    bool pointerOver_ = false; // ... and the pointer is still there
    ViewRanges dragFrom_;
};

} // namespace kurvanto
