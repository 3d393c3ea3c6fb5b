// SPDX-License-Identifier: GPL-3.0-or-later
#include "pixelmemory.h"

#include <cstdlib>
#include <sys/mman.h>

namespace kurvanto {

namespace {

constexpr std::size_t kHugePage = std::size_t(2) << 20;
// Below it a picture keeps Qt's own memory: a huge page would waste more than it saves.
constexpr std::size_t kHugeFrom = std::size_t(1) << 20;

void FreePixels(void *pixels) {
    std::free(pixels);
}

} // namespace

QImage NewPicture(int width, int height) {
    const std::size_t bytes = std::size_t(width) * 4 * std::size_t(height);
    void *pixels = nullptr;
    if (bytes < kHugeFrom)
        return QImage(width, height, QImage::Format_RGB32);
    const std::size_t rounded = (bytes + kHugePage - 1) / kHugePage * kHugePage;
    if (::posix_memalign(&pixels, kHugePage, rounded) != 0)
        return QImage(width, height, QImage::Format_RGB32); // Qt's memory or none either
    // A hint: where it is not taken, the pages are the usual ones.
    ::madvise(pixels, rounded, MADV_HUGEPAGE);
    QImage image(static_cast<uchar *>(pixels), width, height, qsizetype(width) * 4,
                 QImage::Format_RGB32, FreePixels, pixels);
    if (image.isNull())
        std::free(pixels);
    return image;
}

} // namespace kurvanto
