// SPDX-License-Identifier: GPL-3.0-or-later
#include "tracer.h"

#include <QLabel>
#include <QPainter>
#include <QWidget>
#include <algorithm>
#include <cmath>

#include "canvas.h"
#include "generalformat.h"
#include "localesep.h"
#include "valuetable.h"

namespace kurvanto {

namespace {

constexpr int kDotRadius = 4;
const QString kNoValue = QStringLiteral("нет значения");

} // namespace

// A dot over the picture, in the traced build's colour with a ring that shows on any
// background; clicks and moves go through it to the picture.
class TraceDot : public QWidget {
  public:
    explicit TraceDot(QWidget *picture) : QWidget(picture) {
        setAttribute(Qt::WA_TransparentForMouseEvents);
        setAttribute(Qt::WA_NoSystemBackground);
        hide();
    }
    void place(QPoint at, QColor colour) {
        setGeometry(picture()->rect());
        at_ = at;
        colour_ = colour;
        show();
        raise();
        update();
    }
    QPoint at() const { return at_; }

  protected:
    void paintEvent(QPaintEvent *) override {
        QPainter painter(this);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setPen(QPen(Qt::white, 3));
        painter.drawEllipse(QPointF(at_), kDotRadius, kDotRadius);
        painter.setPen(QPen(Qt::black, 1));
        painter.setBrush(colour_);
        painter.drawEllipse(QPointF(at_), kDotRadius, kDotRadius);
    }

  private:
    QWidget *picture() const { return parentWidget(); }
    QPoint at_;
    QColor colour_;
};

Tracer::Tracer(Field &field, QWidget *picture, QLabel *xText, QLabel *yText)
    : QObject(picture), field_(field), picture_(picture), xText_(xText), yText_(yText),
      dot_(new TraceDot(picture)) {}

void Tracer::setOn(bool on) {
    on_ = on;
    if (on_)
        refresh();
    else
        dot_->hide();
}

void Tracer::pointerAt(int x, int y) {
    if (!on_)
        return;
    column_ = std::clamp(x, 0, field_.state().FieldWidth);
    const PlotState &state = field_.state();
    const double pointerY = state.YMax - y * static_cast<long double>(state.ReadoutYUnitsPerPixel);
    const double at = state.XMin + column_ * static_cast<long double>(state.ReadoutXUnitsPerPixel);
    double nearest = INFINITY;
    for (std::size_t index : VisibleBuilds(field_.displayList())) {
        const auto value = BuildValue(field_.displayList(), index, at);
        if (value && std::fabs(*value - pointerY) < nearest) {
            nearest = std::fabs(*value - pointerY);
            build_ = index;
        }
    }
    show();
}

bool Tracer::viewKey(int key) {
    if (!on_ ||
        (key != Qt::Key_Left && key != Qt::Key_Right && key != Qt::Key_Up && key != Qt::Key_Down))
        return false;
    if (key == Qt::Key_Left || key == Qt::Key_Right) {
        column_ =
            std::clamp(column_ + (key == Qt::Key_Left ? -1 : 1), 0, field_.state().FieldWidth);
    } else {
        const std::vector<std::size_t> builds = VisibleBuilds(field_.displayList());
        if (!builds.empty()) {
            keepBuild();
            const auto at = std::find(builds.begin(), builds.end(), build_) - builds.begin();
            const auto count = static_cast<std::ptrdiff_t>(builds.size());
            build_ = builds[static_cast<std::size_t>((at + (key == Qt::Key_Up ? 1 : count - 1)) %
                                                     count)];
        }
    }
    show();
    return true;
}

void Tracer::refresh() {
    if (on_)
        show();
}

// The build traced is still a visible build of the list; otherwise the first one is taken.
// False when there is none.
bool Tracer::keepBuild() {
    const std::vector<std::size_t> builds = VisibleBuilds(field_.displayList());
    if (builds.empty())
        return false;
    if (std::find(builds.begin(), builds.end(), build_) == builds.end())
        build_ = builds.front();
    return true;
}

void Tracer::show() {
    dot_->hide();
    if (!keepBuild()) {
        point_.reset();
        return;
    }
    const PlotState &state = field_.state();
    const FieldItem &build = field_.displayList().items()[build_];
    TracePoint point;
    point.build = build_;
    point.x = state.XMin + column_ * static_cast<long double>(state.ReadoutXUnitsPerPixel);
    point.value = BuildValue(field_.displayList(), build_, point.x);
    point_ = point;
    const char separator = LocaleDecimalSeparator().toLatin1();
    xText_->setText(QString::fromStdString(FormatGeneral(point.x, separator)));
    xText_->adjustSize();
    yText_->setText(point.value ? QString::fromStdString(FormatGeneral(*point.value, separator))
                                : kNoValue);
    yText_->adjustSize();
    if (!point.value || state.YUnitsPerPixel <= 0)
        return;
    const double row = (state.YMax - *point.value) / state.YUnitsPerPixel;
    if (row >= -kDotRadius && row <= state.FieldHeight + kDotRadius)
        dot_->place(QPoint(column_, static_cast<int>(std::nearbyint(row))),
                    Canvas::toQColor(build.graphColor));
}

} // namespace kurvanto
