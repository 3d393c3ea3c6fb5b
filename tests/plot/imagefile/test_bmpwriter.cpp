// SPDX-License-Identifier: GPL-3.0-or-later
// The BMP writer against Qt's own, byte for byte: every row padding, resolutions named or
// not, pixels whose unused top byte is not 0xff; and which pictures it takes.
#include <QBuffer>
#include <QImageWriter>
#include <gtest/gtest.h>

#include "bmpwriter.h"

namespace {

TEST(BmpWriter, SameBytesAsQt) {
    struct Case {
        int width, height, dotsX, dotsY;
    };
    for (const Case c : {Case{1, 1, 3780, 3780}, Case{2, 3, 0, 0}, Case{3, 2, 1234, 5678},
                         Case{4, 5, 0, 3780}, Case{5, 1, 3780, 3780}, Case{123, 45, 2834, 1}}) {
        QImage image(c.width, c.height, QImage::Format_RGB32);
        quint32 seed = 777, *pixel = reinterpret_cast<quint32 *>(image.bits());
        for (qsizetype i = 0; i < image.sizeInBytes() / 4; ++i)
            pixel[i] = seed = seed * 1664525u + 1013904223u;
        image.setDotsPerMeterX(c.dotsX);
        image.setDotsPerMeterY(c.dotsY);
        QByteArray ours, qts;
        QBuffer mine(&ours), theirs(&qts);
        mine.open(QIODevice::WriteOnly);
        ASSERT_TRUE(kurvanto::WriteBmp(image, mine));
        ASSERT_TRUE(QImageWriter(&theirs, "bmp").write(image));
        EXPECT_EQ(ours, qts) << c.width << " x " << c.height;
    }
}

TEST(BmpWriter, TakesPlainPicturesAsBmpOnlyAndFailsWithTheDevice) {
    const QImage plain(2, 2, QImage::Format_RGB32);
    EXPECT_TRUE(kurvanto::WritesAsBmp(plain, "bmp") && kurvanto::WritesAsBmp(plain, "BMP"));
    EXPECT_FALSE(kurvanto::WritesAsBmp(plain, "PNG"));
    EXPECT_FALSE(kurvanto::WritesAsBmp(QImage(2, 2, QImage::Format_ARGB32), "BMP"));
    EXPECT_FALSE(kurvanto::WritesAsBmp(QImage(), "BMP"));
    QBuffer closed;
    EXPECT_FALSE(kurvanto::WriteBmp(plain, closed));
}

} // namespace
