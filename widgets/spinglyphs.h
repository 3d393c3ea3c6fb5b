// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The glyphs of the spin buttons: the program's resources "SpinUp" and "SpinDown", and the
// rule that a glyph's bottom-left pixel gives its transparent colour.
#include <QImage>
#include <QPixmap>

namespace kurvanto {

// The resource image as stored (olive background, black triangle); null if unknown.
QImage GlyphResource(const char *name);

// The glyph with every pixel of its bottom-left pixel's colour made transparent.
QPixmap TransparentGlyph(const QImage &glyph);

} // namespace kurvanto
