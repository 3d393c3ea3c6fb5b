// SPDX-License-Identifier: GPL-3.0-or-later
#include "picturenavigator.h"

#include <algorithm>
#include <cmath>

namespace kurvanto {

namespace {

// One notch of the wheel, or one "+", zooms by this factor; an arrow key moves the view by
// this share of the field.
constexpr double kZoomStep = 1.25;
constexpr double kMoveShare = 0.1;

} // namespace

void PictureNavigator::pointerMoved(int x, int y) {
    pointer_ = QPoint(x, y);
    pointerOver_ = true;
}

void PictureNavigator::pressed(Qt::MouseButton button, int x, int y) {
    if (button != Qt::LeftButton || field_.state().LabelArmed)
        return; // the label's clicks keep the button
    leftDown_ = true;
    dragging_ = false;
    pressedAt_ = QPoint(x, y);
    dragFrom_ = CurrentView(field_.state());
}

void PictureNavigator::released(Qt::MouseButton button) {
    if (button == Qt::LeftButton)
        leftDown_ = dragging_ = false;
}

// Dragging moves the content with the pointer; each position is taken from where the drag
// began, so the view ends exactly as far as the pointer went.
void PictureNavigator::dragged(int x, int y) {
    if (!leftDown_ || (!dragging_ && QPoint(x, y) == pressedAt_))
        return;
    dragging_ = true;
    PlotState &state = field_.state();
    const ViewRanges to = Panned(state, dragFrom_, x - pressedAt_.x(), y - pressedAt_.y());
    if (to == CurrentView(state) || !ViewUsable(state, to))
        return;
    ApplyView(state, to);
    redraw_();
    readAt_(x, y);
}

void PictureNavigator::wheelTurned(double x, double y, int eighths) {
    pointer_ = QPoint(static_cast<int>(std::clamp(std::floor(x), -1e6, 1e6)),
                      static_cast<int>(std::clamp(std::floor(y), -1e6, 1e6)));
    pointerOver_ = true;
    zoomAbout(x, y, std::pow(kZoomStep, eighths / 120.0));
}

void PictureNavigator::viewKey(int key) {
    const double across = (field_.state().FieldWidth + 1.0) * kMoveShare;
    const double down = (field_.state().FieldHeight + 1.0) * kMoveShare;
    switch (key) {
    case Qt::Key_Plus:
    case Qt::Key_Equal:
        zoomIn();
        break;
    case Qt::Key_Minus:
        zoomOut();
        break;
    case Qt::Key_Left: // the view moves left: the content right
        moveView(across, 0);
        break;
    case Qt::Key_Right:
        moveView(-across, 0);
        break;
    case Qt::Key_Up:
        moveView(0, down);
        break;
    case Qt::Key_Down:
        moveView(0, -down);
        break;
    case Qt::Key_Home:
        home();
        break;
    default:
        break;
    }
}

void PictureNavigator::zoomAbout(double pixelX, double pixelY, double factor) {
    if (ZoomAbout(field_.state(), pixelX, pixelY, factor))
        viewChanged();
}

void PictureNavigator::zoomIn() {
    if (ZoomAtCentre(field_.state(), kZoomStep))
        viewChanged();
}

void PictureNavigator::zoomOut() {
    if (ZoomAtCentre(field_.state(), 1 / kZoomStep))
        viewChanged();
}

void PictureNavigator::moveView(double dxPixels, double dyPixels) {
    if (Pan(field_.state(), dxPixels, dyPixels))
        viewChanged();
}

void PictureNavigator::home() {
    if (CurrentView(field_.state()) == field_.homeRanges())
        return;
    ApplyView(field_.state(), field_.homeRanges());
    viewChanged();
}

void PictureNavigator::showView(const ViewRanges &view) {
    ApplyView(field_.state(), view);
    viewChanged();
}

// After a step: the field drawn again on the new ranges, and the read-out at the pointer. A
// drag under way goes on from the new view (a wheel turned while dragging).
void PictureNavigator::viewChanged() {
    if (leftDown_) {
        dragFrom_ = CurrentView(field_.state());
        pressedAt_ = pointer_;
    }
    redraw_();
    if (pointerOver_) // a key's step with the pointer elsewhere leaves the read-out as it is
        readAt_(pointer_.x(), pointer_.y());
}

} // namespace kurvanto
