// SPDX-License-Identifier: GPL-3.0-or-later
#include "spinglyphs.h"

#include <QString>

// The resources live in this static library; make sure the linker keeps them.
static void InitGlyphResources() {
    static const bool done = [] {
        Q_INIT_RESOURCE(spinglyphs);
        return true;
    }();
    (void)done;
}

namespace kurvanto {

QImage GlyphResource(const char *name) {
    InitGlyphResources();
    return QImage(QStringLiteral(":/") + QString::fromLatin1(name), "XPM");
}

QPixmap TransparentGlyph(const QImage &glyph) {
    if (glyph.isNull())
        return QPixmap();
    QImage image = glyph.convertToFormat(QImage::Format_ARGB32);
    const QRgb transparent = image.pixel(0, image.height() - 1);
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (image.pixel(x, y) == transparent)
                image.setPixel(x, y, qRgba(0, 0, 0, 0));
        }
    }
    return QPixmap::fromImage(image);
}

} // namespace kurvanto
