// SPDX-License-Identifier: GPL-3.0-or-later
// Writes the program's icon at the usual hicolor sizes: icongen ICON OUTDIR SIZE...
// Each size is the icon scaled by whole pixels where it can be (the icon is pixel art),
// then smoothly to the exact size.
#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <cstdio>

int main(int argc, char **argv) {
    if (argc < 4) {
        std::fprintf(stderr, "usage: icongen ICON OUTDIR SIZE...\n");
        return 2;
    }
    QImage icon(QString::fromLocal8Bit(argv[1]));
    if (icon.isNull()) {
        std::fprintf(stderr, "icongen: cannot read %s\n", argv[1]);
        return 1;
    }
    icon = icon.convertToFormat(QImage::Format_ARGB32);
    const QDir out(QString::fromLocal8Bit(argv[2]));
    for (int i = 3; i < argc; ++i) {
        const int size = QByteArray(argv[i]).toInt();
        if (size <= 0)
            return 2;
        const int whole = std::max(1, size / icon.width());
        QImage scaled = icon.scaled(icon.width() * whole, icon.height() * whole,
                                    Qt::IgnoreAspectRatio, Qt::FastTransformation);
        if (scaled.width() != size)
            scaled = scaled.scaled(size, size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        const QString dir = QStringLiteral("%1x%1/apps").arg(size);
        out.mkpath(dir);
        if (!scaled.save(out.filePath(dir + QStringLiteral("/kurvanto.png")), "PNG"))
            return 1;
    }
    return 0;
}
