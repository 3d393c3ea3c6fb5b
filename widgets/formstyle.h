#pragma once
// Fonts and text colours of the program's forms, as their layouts give them.
#include <QFont>
#include <QPalette>
#include <QString>

class QWidget;

namespace kurvanto {

// A font asked for by family name at a size in pixels; fontconfig substitutes where the
// family is missing.
QFont PixelFont(const QString &family, int pixels, bool bold = false, bool italic = false);

// Colours a widget's text for its active and inactive states; a disabled widget keeps the
// style's grey.
void SetTextColor(QWidget &widget, QPalette::ColorRole role, const QColor &color);

} // namespace kurvanto
