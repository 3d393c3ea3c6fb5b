// SPDX-License-Identifier: GPL-3.0-or-later
#include "canvas.h"

#include <QFontMetrics>
#include <QGuiApplication>
#include <QPainter>
#include <QPalette>
#include <algorithm>
#include <array>
#include <cstdint>
#include <vector>

#include "pixelmemory.h"
#include "vectorfield.h"

namespace kurvanto {

namespace {

// Wide enough for products of two 33-bit coordinate differences.
__extension__ typedef __int128 Wide;

struct SystemColor {
    QPalette::ColorGroup group;
    QPalette::ColorRole role;
};

// The usual system colour indices (the low byte of a colour value with the top bit set).
SystemColor SystemColorRole(unsigned index) {
    static const std::array<QPalette::ColorRole, 31> roles = {
        QPalette::Button,          // 0 scroll bar
        QPalette::Dark,            // 1 desktop
        QPalette::Highlight,       // 2 active caption
        QPalette::Mid,             // 3 inactive caption
        QPalette::Window,          // 4 menu
        QPalette::Base,            // 5 window
        QPalette::Shadow,          // 6 window frame
        QPalette::WindowText,      // 7 menu text
        QPalette::Text,            // 8 window text
        QPalette::HighlightedText, // 9 caption text
        QPalette::Window,          // 10 active border
        QPalette::Window,          // 11 inactive border
        QPalette::Dark,            // 12 application workspace
        QPalette::Highlight,       // 13 highlight
        QPalette::HighlightedText, // 14 highlighted text
        QPalette::Button,          // 15 button face
        QPalette::Dark,            // 16 button shadow
        QPalette::Text,            // 17 grey text (disabled group)
        QPalette::ButtonText,      // 18 button text
        QPalette::WindowText,      // 19 inactive caption text (disabled group)
        QPalette::Light,           // 20 button highlight
        QPalette::Shadow,          // 21 3-D dark shadow
        QPalette::Midlight,        // 22 3-D light
        QPalette::ToolTipText,     // 23 info text
        QPalette::ToolTipBase,     // 24 info background
        QPalette::Button,          // 25 (unused)
        QPalette::Link,            // 26 hot light
        QPalette::Highlight,       // 27 gradient active caption
        QPalette::Mid,             // 28 gradient inactive caption
        QPalette::Highlight,       // 29 menu highlight
        QPalette::Window,          // 30 menu bar
    };
    if (index >= roles.size())
        return {QPalette::Active, QPalette::Button};
    const bool disabled = index == 17 || index == 19;
    return {disabled ? QPalette::Disabled : QPalette::Active, roles[index]};
}

// The colours of Qt's own default palette, the one an application gets when the platform
// brings none of its own (offscreen, minimal, a desktop without a theme): what the palette
// would give, for a program that has no application object to ask.
QColor FallbackSystemColor(QPalette::ColorGroup group, QPalette::ColorRole role) {
    if (group == QPalette::Disabled && (role == QPalette::Text || role == QPalette::WindowText))
        return QColor(190, 190, 190);
    switch (role) {
    case QPalette::Base:
    case QPalette::Light:
    case QPalette::HighlightedText:
        return QColor(255, 255, 255);
    case QPalette::Midlight:
        return QColor(202, 202, 202);
    case QPalette::Dark:
        return QColor(159, 159, 159);
    case QPalette::Mid:
        return QColor(184, 184, 184);
    case QPalette::Shadow:
        return QColor(118, 118, 118);
    case QPalette::Highlight:
        return QColor(48, 140, 198);
    case QPalette::Link:
        return QColor(0, 0, 255);
    case QPalette::ToolTipBase:
        return QColor(255, 255, 220);
    case QPalette::Text:
    case QPalette::WindowText:
    case QPalette::ButtonText:
    case QPalette::ToolTipText:
        return QColor(0, 0, 0);
    default: // Button, Window
        return QColor(239, 239, 239);
    }
}

// The on/off run lengths of the dashed pen styles, in pixels.
std::vector<int> DashPattern(Qt::PenStyle style) {
    switch (style) {
    case Qt::DashLine:
        return {18, 6};
    case Qt::DotLine:
        return {3, 3};
    case Qt::DashDotLine:
        return {9, 6, 3, 6};
    case Qt::DashDotDotLine:
        return {9, 3, 3, 3, 3, 3};
    default:
        return {};
    }
}

bool PatternOn(const std::vector<int> &pattern, std::int64_t step) {
    if (pattern.empty())
        return true;
    std::int64_t period = 0;
    for (int run : pattern)
        period += run;
    std::int64_t pos = step % period;
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        if (pos < pattern[i])
            return i % 2 == 0;
        pos -= pattern[i];
    }
    return true;
}

// floor(a / b) for b > 0.
Wide FloorDiv(Wide a, Wide b) {
    Wide q = a / b;
    if (a % b != 0 && a < 0)
        --q;
    return q;
}

// A line of `major` steps along its major axis and `minor` along the other (both
// non-negative, minor <= major). Step i lies at the minor offset nearest to
// i * minor / major, a tie going back toward the start as in the classic integer line walk:
// offset(i) = floor((2 i minor + major - 1) / (2 major)). The walk keeps the remainder of
// that division, so only its start needs a division.
struct LineWalk {
    std::int64_t major, minor;

    Wide numerator(std::int64_t i) const { return Wide(2) * i * minor + major - 1; }
    std::int64_t offset(std::int64_t i) const {
        return static_cast<std::int64_t>(FloorDiv(numerator(i), Wide(2) * major));
    }
    std::int64_t remainder(std::int64_t i, std::int64_t offsetAtI) const {
        return static_cast<std::int64_t>(numerator(i) - Wide(2) * major * offsetAtI);
    }
    // The first step in [lo, end) whose offset is at least k (the offset never decreases).
    std::int64_t firstStepAt(std::int64_t lo, std::int64_t end, std::int64_t k) const {
        if (offset(lo) >= k)
            return lo;
        if (minor == 0)
            return end;
        // 2 i minor + major - 1 >= 2 major k
        const Wide need = Wide(2) * major * k - major + 1;
        const Wide i = -FloorDiv(-need, Wide(2) * minor); // ceiling
        return i >= end ? end : static_cast<std::int64_t>(i);
    }
};

// A white picture. Without an application object there is no screen to take the resolution
// from; it is then the 96 dpi the offscreen screen gives, so that the written file carries the
// same resolution either way.
QImage WhiteImage(int width, int height) {
    QImage image = NewPicture(std::max(width, 1), std::max(height, 1));
    if (image.isNull())
        throw PictureMemoryError(std::max(width, 1), std::max(height, 1));
    if (qobject_cast<QGuiApplication *>(QCoreApplication::instance()) == nullptr) {
        constexpr int kDotsPerMeter = 3780; // 96 dots per inch
        image.setDotsPerMeterX(kDotsPerMeter);
        image.setDotsPerMeterY(kDotsPerMeter);
    }
    image.fill(Qt::white);
    return image;
}

} // namespace

void Canvas::clear() {
    image_ = QImage();
    size_ = QSize();
    if (recorder_)
        recorder_->pictureCleared();
}

void Canvas::ensure(int width, int height) {
    if (!isEmpty())
        return;
    if (pixels_)
        image_ = WhiteImage(width, height);
    else
        size_ = QSize(std::max(width, 1), std::max(height, 1));
    if (recorder_)
        recorder_->pictureSized(size());
}

void Canvas::resize(int width, int height) {
    if (isEmpty() || (size().width() == width && size().height() == height))
        return;
    if (!pixels_) {
        size_ = QSize(std::max(width, 1), std::max(height, 1));
        if (recorder_)
            recorder_->pictureSized(size_);
        return;
    }
    QImage resized = WhiteImage(width, height);
    QPainter painter(&resized);
    painter.drawImage(0, 0, image_);
    painter.end();
    image_ = resized;
    if (recorder_)
        recorder_->pictureSized(image_.size());
}

void Canvas::setPenColor(TColor color) {
    pen_ = color;
}
void Canvas::setPenWidth(int width) {
    pen_width_ = std::max(width, 1);
}
void Canvas::setPenStyle(Qt::PenStyle style) {
    pen_style_ = style;
}
void Canvas::setBrushColor(TColor color) {
    brush_ = color;
}
void Canvas::setFont(const QFont &font) {
    font_ = font;
}
void Canvas::setFontColor(TColor color) {
    font_color_ = color;
}

QFont Canvas::defaultFont() {
    QFont font(QStringLiteral("MS Sans Serif"));
    font.setPixelSize(13);
    font.setStyleStrategy(QFont::NoAntialias);
    return font;
}

void Canvas::fillRect(const QRect &rect) {
    const QRect visible = rect.normalized().intersected(this->rect());
    if (visible.isEmpty())
        return;
    if (pixels_) {
        QPainter painter(&image_);
        painter.fillRect(visible, toQColor(brush_));
    }
    if (recorder_)
        recorder_->filled(visible, toQColor(brush_));
}

void Canvas::moveTo(int x, int y) {
    pen_pos_ = QPoint(x, y);
    dash_step_ = 0;
}

void Canvas::lineTo(int x, int y) {
    if (!isEmpty() && pen_style_ != Qt::NoPen) {
        if (pixels_)
            drawLine(pen_pos_.x(), pen_pos_.y(), x, y);
        if (recorder_ && pen_pos_ != QPoint(x, y))
            recorder_->line(pen_pos_, QPoint(x, y), toQColor(pen_), pen_width_, pen_style_);
    }
    pen_pos_ = QPoint(x, y);
}

// Walks the line from (x0, y0) to (x1, y1), its last point excluded, visiting only the steps
// whose pixel (widened by the pen) can touch the picture; coordinates far outside the
// picture cost nothing and cannot overflow.
void Canvas::drawLine(std::int64_t x0, std::int64_t y0, std::int64_t x1, std::int64_t y1) {
    const std::int64_t dx = x1 - x0, dy = y1 - y0;
    const bool xMajor = (dx < 0 ? -dx : dx) >= (dy < 0 ? -dy : dy);
    const std::int64_t major = xMajor ? (dx < 0 ? -dx : dx) : (dy < 0 ? -dy : dy);
    const std::int64_t minor = xMajor ? (dy < 0 ? -dy : dy) : (dx < 0 ? -dx : dx);
    if (major == 0)
        return;
    const int majorSign = (xMajor ? dx : dy) < 0 ? -1 : 1;
    const int minorSign = (xMajor ? dy : dx) < 0 ? -1 : 1;
    const std::int64_t majorStart = xMajor ? x0 : y0;
    const std::int64_t minorStart = xMajor ? y0 : x0;
    const std::int64_t reach = pen_width_ / 2 + 1;
    const std::int64_t majorSize = xMajor ? image_.width() : image_.height();
    const std::int64_t minorSize = xMajor ? image_.height() : image_.width();

    // Steps whose major coordinate lies in [-reach, majorSize + reach).
    std::int64_t lo = 0, hi = major - 1;
    if (majorSign > 0) {
        lo = std::max(lo, -reach - majorStart);
        hi = std::min(hi, majorSize + reach - 1 - majorStart);
    } else {
        lo = std::max(lo, majorStart - (majorSize + reach - 1));
        hi = std::min(hi, majorStart + reach);
    }
    if (lo > hi)
        return;
    // Then those whose minor coordinate lies in [-reach, minorSize + reach).
    const LineWalk walk{major, minor};
    const std::int64_t nearLimit =
        minorSign > 0 ? -reach - minorStart : minorStart - (minorSize + reach - 1);
    const std::int64_t farLimit =
        minorSign > 0 ? minorSize + reach - minorStart : minorStart + reach + 1;
    const bool inside = nearLimit <= 0 && walk.offset(hi) < farLimit;
    if (!inside) {
        lo = walk.firstStepAt(lo, hi + 1, nearLimit);
        hi = walk.firstStepAt(lo, hi + 1, farLimit) - 1;
        if (lo > hi)
            return;
    }

    const std::vector<int> pattern = DashPattern(pen_style_);
    const QRgb rgb = toQColor(pen_).rgb();
    std::int64_t offset = walk.offset(lo);
    std::int64_t rest = walk.remainder(lo, offset); // in [0, 2 major)
    for (std::int64_t i = lo; i <= hi; ++i) {
        const std::int64_t a = majorStart + majorSign * i;
        const std::int64_t b = minorStart + minorSign * offset;
        if (pattern.empty() || PatternOn(pattern, dash_step_ + i))
            plot(xMajor ? a : b, xMajor ? b : a, rgb);
        rest += 2 * minor;
        if (rest >= 2 * major) {
            ++offset;
            rest -= 2 * major;
        }
    }
    dash_step_ += major;
}

void Canvas::plot(std::int64_t x, std::int64_t y, QRgb rgb) {
    if (pen_width_ == 1) {
        if (x >= 0 && y >= 0 && x < image_.width() && y < image_.height())
            reinterpret_cast<QRgb *>(image_.scanLine(static_cast<int>(y)))[x] = rgb;
        return;
    }
    const std::int64_t left = x - (pen_width_ - 1) / 2, top = y - (pen_width_ - 1) / 2;
    const std::int64_t x0 = std::max<std::int64_t>(left, 0);
    const std::int64_t y0 = std::max<std::int64_t>(top, 0);
    const std::int64_t x1 = std::min<std::int64_t>(left + pen_width_, image_.width());
    const std::int64_t y1 = std::min<std::int64_t>(top + pen_width_, image_.height());
    for (std::int64_t py = y0; py < y1; ++py) {
        auto *line = reinterpret_cast<QRgb *>(image_.scanLine(static_cast<int>(py)));
        for (std::int64_t px = x0; px < x1; ++px)
            line[px] = rgb;
    }
}

void Canvas::textOut(int x, int y, const QString &text) {
    drawText(x, y, text, toQColor(brush_));
}

void Canvas::glyphsOut(int x, int y, const QString &text) {
    drawText(x, y, text, QColor(Qt::transparent));
}

void Canvas::drawText(int x, int y, const QString &text, const QColor &behind) {
    if (isEmpty())
        return;
    const QFontMetrics metrics(font_);
    const QRect box(x, y, metrics.horizontalAdvance(text), metrics.height());
    if (pixels_) {
        QPainter painter(&image_);
        painter.setRenderHint(QPainter::TextAntialiasing, false);
        if (behind.alpha() != 0)
            painter.fillRect(box, behind);
        painter.setFont(font_);
        painter.setPen(toQColor(font_color_));
        painter.drawText(x, y + metrics.ascent(), text);
    }
    if (recorder_)
        recorder_->text(box, y + metrics.ascent(), text, font_, toQColor(font_color_), behind);
}

QImage Canvas::region(const QRect &box) const {
    if (box.isEmpty())
        return QImage(); // copy() would take the whole picture
    if (pixels_ || recorder_ == nullptr)
        return image_.copy(box);
    // Every recorded step again on a canvas of the box's size, moved so that the box is at
    // its origin: the same pixels as the whole picture would have there.
    Canvas part;
    part.ensure(box.width(), box.height());
    ReplayInto(*recorder_, part, -box.topLeft());
    return part.image();
}

QColor Canvas::toQColor(TColor color) {
    if (color & 0x80000000u) {
        const SystemColor system = SystemColorRole(color & 0xFFu);
        if (qobject_cast<QGuiApplication *>(QCoreApplication::instance()) == nullptr)
            return FallbackSystemColor(system.group, system.role);
        return QGuiApplication::palette().color(system.group, system.role);
    }
    return QColor(color & 0xFF, (color >> 8) & 0xFF, (color >> 16) & 0xFF);
}

} // namespace kurvanto
