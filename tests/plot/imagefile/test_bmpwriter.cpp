// SPDX-License-Identifier: GPL-3.0-or-later
// The BMP writer against Qt's own, byte for byte: every row padding, the resolutions, pixels
// whose unused top byte is not 0xff; and which pictures it takes.
#include <QBuffer>
#include <QImageWriter>
#include <gtest/gtest.h>

#include "bmpwriter.h"

namespace {

TEST(BmpWriter, SameBytesAsQt) {
    // width, height, dots a metre across and down
    const int cases[][4] = {{1, 1, 3780, 3780}, {2, 3, 100, 200},   {3, 2, 1234, 5678},
                            {4, 5, 1, 3780},    {5, 1, 3780, 3780}, {123, 45, 2834, 1}};
    for (const auto &c : cases) {
        QImage image(c[0], c[1], QImage::Format_RGB32);
        quint32 seed = 777, *pixel = reinterpret_cast<quint32 *>(image.bits());
        for (qsizetype i = 0; i < image.sizeInBytes() / 4; ++i)
            pixel[i] = seed = seed * 1664525u + 1013904223u;
        image.setDotsPerMeterX(c[2]);
        image.setDotsPerMeterY(c[3]);
        QByteArray ours, qts;
        QBuffer mine(&ours), theirs(&qts);
        mine.open(QIODevice::WriteOnly);
        ASSERT_TRUE(kurvanto::WriteBmp(image, mine));
        ASSERT_TRUE(QImageWriter(&theirs, "bmp").write(image));
        EXPECT_EQ(ours, qts) << c[0] << " x " << c[1];
    }
}

TEST(BmpWriter, TakesPlainPicturesAsBmpOnlyAndFailsWithTheDevice) {
    const QImage plain(2, 2, QImage::Format_RGB32);
    EXPECT_TRUE(kurvanto::WritesAsBmp(plain, "bmp") && kurvanto::WritesAsBmp(plain, "BMP"));
    for (const QImage &other : {QImage(2, 2, QImage::Format_ARGB32), QImage()})
        EXPECT_FALSE(kurvanto::WritesAsBmp(other, "BMP"));
    QBuffer closed;
    EXPECT_FALSE(kurvanto::WritesAsBmp(plain, "PNG"));
    EXPECT_FALSE(kurvanto::WriteBmp(plain, closed));
}

} // namespace
