#include "formstyle.h"

#include <QWidget>

namespace kurvanto {

QFont PixelFont(const QString &family, int pixels, bool bold, bool italic) {
    QFont font(family);
    font.setPixelSize(pixels);
    font.setBold(bold);
    font.setItalic(italic);
    return font;
}

void SetTextColor(QWidget &widget, QPalette::ColorRole role, const QColor &color) {
    QPalette palette = widget.palette();
    palette.setColor(QPalette::Active, role, color);
    palette.setColor(QPalette::Inactive, role, color);
    widget.setPalette(palette);
}

} // namespace kurvanto
