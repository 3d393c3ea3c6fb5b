// SPDX-License-Identifier: GPL-3.0-or-later
// A new picture, in huge pages or not: rows as asked, every pixel writable, the memory kept
// while a copy of the picture lives.
#include <gtest/gtest.h>
#include <optional>

#include "pixelmemory.h"

TEST(PixelMemory, RowsAsAskedAndTheMemoryOutlivesTheFirstHandle) {
    for (const QSize size : {QSize(2, 1), QSize(512, 512), QSize(1200, 900)}) {
        const int w = size.width(), h = size.height();
        std::optional<QImage> first(kurvanto::NewPicture(w, h));
        ASSERT_EQ(first->size(), size);
        EXPECT_EQ(first->bytesPerLine(), w * 4);
        first->fill(0x123456);
        first->setPixel(w - 1, h - 1, 0xabcdef);
        const QImage copy = *first;
        first.reset();
        EXPECT_EQ(copy.pixel(0, 0), 0xff123456u) << w;
        EXPECT_EQ(copy.pixel(w - 1, h - 1), 0xffabcdefu) << w;
    }
}
