// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Fonts and text colours of the program's forms, as their layouts give them.
#include <QFont>
#include <QPalette>
#include <QString>

class QLabel;
class QPoint;
class QRect;
class QToolButton;
class QWidget;

namespace kurvanto {

// A font asked for by family name at a size in pixels; fontconfig substitutes where the
// family is missing.
QFont PixelFont(const QString &family, int pixels, bool bold = false, bool italic = false);

// Colours a widget's text for its active and inactive states; a disabled widget keeps the
// style's grey.
void SetTextColor(QWidget &widget, QPalette::ColorRole role, const QColor &color);

// A label sized to its text, with its name, font and text colour, placed at a position.
QLabel *MakeLabel(QWidget *parent, const char *name, const QString &text, const QPoint &position,
                  const QFont &font, const QColor &color);

// A flat button with coloured text that a click never gives the focus, so that a number
// being typed in a box is read as typed when the button is clicked; Tab reaches it.
QToolButton *MakeFlatButton(QWidget *parent, const char *name, const QString &text,
                            const QFont &font, const QColor &color, const QRect &geometry);

// Ties a caption to the control it names: a screen reader reads the caption's text (without a
// closing colon) as the control's name.
void NameAfterLabel(QLabel &label, QWidget &control);

} // namespace kurvanto
