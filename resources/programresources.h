// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The program's own pictures: the toolbar glyphs, the main window's icon and the cross cursor
// "mycurs". They are kept as XPM text next to this file and compiled in.
#include <QCursor>
#include <QIcon>
#include <QImage>
#include <QPixmap>
#include <QString>

namespace kurvanto {

// The light grey that a toolbar glyph shows as transparent.
constexpr QRgb kGlyphTransparentColor = 0xFFC0C0C0;

// A 30 x 30 toolbar picture by name: "save", "copy", "props", "annotate", "build", "clear" or
// "help". Its light grey background is transparent. A null image for an unknown name.
QImage ButtonGlyph(const QString &name);

// The main window's 32 x 32 icon.
QIcon MainWindowIcon();

// A cursor of the program by its resource name ("mycurs": a 32 x 32 black cross with its hot
// spot at (15, 15)). The arrow cursor for an unknown name.
QCursor LoadProgramCursor(const QString &name);

} // namespace kurvanto
