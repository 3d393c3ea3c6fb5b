// SPDX-License-Identifier: GPL-3.0-or-later
// A new picture, in huge pages or not: rows as asked, every pixel writable, the memory kept
// while a copy of the picture lives.
#include <gtest/gtest.h>

#include "pixelmemory.h"

TEST(PixelMemory, RowsAsAskedAndTheMemoryOutlivesTheFirstHandle) {
    for (const QSize size : {QSize(2, 1), QSize(512, 512), QSize(1200, 900)}) {
        QImage copy, first = kurvanto::NewPicture(size.width(), size.height());
        EXPECT_EQ(first.bytesPerLine(), size.width() * 4);
        first.fill(0x123456);
        copy = first;
        first = QImage();
        EXPECT_EQ(copy.size(), size);
        EXPECT_EQ(copy.pixel(size.width() - 1, size.height() - 1), 0xff123456u);
    }
}
