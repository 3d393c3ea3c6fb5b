// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The trace: the read-out shows x at the pointer's column and the engine's value there of the
// visible build nearest to the pointer, with a dot on that curve. The dot is drawn over the
// picture, never into it, so that saved and copied pictures stay as they are. Left and Right
// move the dot one column, Up and Down go to the next or the previous build.
#include <QObject>
#include <QPoint>
#include <optional>

#include "field.h"

class QLabel;
class QWidget;

namespace kurvanto {

class TraceDot;

// Where the trace stands: x at the column, the build (its index in the list) and its value.
struct TracePoint {
    double x = 0;
    std::size_t build = 0;
    std::optional<double> value;
};

class Tracer : public QObject {
    Q_OBJECT
  public:
    // `picture` shows the field; `xText` and `yText` are the read-out's values.
    Tracer(Field &field, QWidget *picture, QLabel *xText, QLabel *yText);

    bool on() const { return on_; }
    void setOn(bool on);

    // The pointer at the picture pixel (x, y): the column and the build nearest to it.
    void pointerAt(int x, int y);
    // An arrow key on the picture: true when the trace took it (only while on).
    bool viewKey(int key);
    // After the field was drawn again: the same column and build on the new ranges and list.
    void refresh();

    std::optional<TracePoint> point() const { return point_; }

  private:
    void show();
    bool keepBuild();

    Field &field_;
    QWidget *picture_;
    QLabel *xText_, *yText_;
    TraceDot *dot_;
    bool on_ = false;
    int column_ = 0;
    std::size_t build_ = 0;
    std::optional<TracePoint> point_;
};

} // namespace kurvanto
