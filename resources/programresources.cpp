// SPDX-License-Identifier: GPL-3.0-or-later
#include "programresources.h"

#include <QBitmap>

#include "cursor_mycurs.xpm"
#include "glyph_annotate.xpm"
#include "glyph_build.xpm"
#include "glyph_clear.xpm"
#include "glyph_copy.xpm"
#include "glyph_help.xpm"
#include "glyph_props.xpm"
#include "glyph_save.xpm"
#include "icon_main.xpm"

namespace kurvanto {

namespace {

struct NamedPicture {
    const char *name;
    const char *const *xpm;
};

constexpr NamedPicture kGlyphs[] = {
    {"save", glyph_save_xpm},         {"copy", glyph_copy_xpm},   {"props", glyph_props_xpm},
    {"annotate", glyph_annotate_xpm}, {"build", glyph_build_xpm}, {"clear", glyph_clear_xpm},
    {"help", glyph_help_xpm},
};

// The glyph's light grey becomes transparent, as a flat button draws it.
QImage WithTransparentBackground(const QImage &picture) {
    QImage image = picture.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < image.height(); ++y) {
        auto *line = reinterpret_cast<QRgb *>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            if (line[x] == kGlyphTransparentColor)
                line[x] = qRgba(0, 0, 0, 0);
        }
    }
    return image;
}

// A monochrome cursor: the XPM's opaque pixels are black, the rest transparent.
QCursor MonochromeCursor(const char *const *xpm, int hotX, int hotY) {
    const QImage picture = QImage(xpm).convertToFormat(QImage::Format_ARGB32);
    QImage shape(picture.size(), QImage::Format_Mono);
    shape.setColorCount(2);
    shape.setColor(0, qRgb(255, 255, 255));
    shape.setColor(1, qRgb(0, 0, 0));
    shape.fill(0);
    for (int y = 0; y < picture.height(); ++y) {
        for (int x = 0; x < picture.width(); ++x) {
            if (qAlpha(picture.pixel(x, y)) != 0)
                shape.setPixel(x, y, 1);
        }
    }
    const QBitmap bitmap = QBitmap::fromImage(shape);
    return QCursor(bitmap, bitmap, hotX, hotY);
}

} // namespace

QImage ButtonGlyph(const QString &name) {
    for (const NamedPicture &glyph : kGlyphs) {
        if (name == QLatin1String(glyph.name))
            return WithTransparentBackground(QImage(glyph.xpm));
    }
    return QImage();
}

QIcon MainWindowIcon() {
    return QIcon(QPixmap::fromImage(QImage(icon_main_xpm)));
}

QCursor LoadProgramCursor(const QString &name) {
    if (name == QLatin1String("mycurs"))
        return MonochromeCursor(cursor_mycurs_xpm, 15, 15);
    return QCursor(Qt::ArrowCursor);
}

} // namespace kurvanto
