// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Pixels of a picture as sets of (column, row), for comparing what a drawing touched.
#include <QImage>
#include <QRect>
#include <cstring>
#include <set>
#include <utility>

namespace kurvanto::testing {

using Pixel = std::pair<int, int>; // column, row
using PixelSet = std::set<Pixel>;

// Two pictures with the same format, size and bytes; two null pictures are the same.
inline bool SameBytes(const QImage &a, const QImage &b) {
    if (a.format() != b.format() || a.size() != b.size() || a.sizeInBytes() != b.sizeInBytes())
        return false;
    return a.sizeInBytes() == 0 || std::memcmp(a.constBits(), b.constBits(),
                                               static_cast<std::size_t>(a.sizeInBytes())) == 0;
}

// Every pixel that is not white.
inline PixelSet Painted(const QImage &image) {
    PixelSet painted;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixel(x, y) != 0xFFFFFFFF)
                painted.insert({x, y});
    return painted;
}

// How many pixels of the colour lie in the rectangle (the whole picture when it is empty).
inline int CountPixels(const QImage &image, QRgb rgb, QRect within = QRect()) {
    if (within.isEmpty())
        within = image.rect();
    int n = 0;
    for (int y = within.top(); y <= within.bottom(); ++y)
        for (int x = within.left(); x <= within.right(); ++x)
            n += image.pixel(x, y) == rgb;
    return n;
}

} // namespace kurvanto::testing
