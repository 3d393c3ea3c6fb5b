// SPDX-License-Identifier: GPL-3.0-or-later
#include "bmpwriter.h"

#include <QIODevice>
#include <QImage>
#include <QtEndian>
#include <cstring>
#include <strings.h>
#include <vector>

namespace kurvanto {

namespace {

constexpr int kHeaderSize = 14 + 40; // file header, then the BITMAPINFOHEADER

// Little-endian fields at `at`, in order.
void Put16(unsigned char *&at, quint16 value) {
    qToLittleEndian(value, at);
    at += 2;
}
void Put32(unsigned char *&at, quint32 value) {
    qToLittleEndian(value, at);
    at += 4;
}

// One row of the picture as blue, green, red bytes, the padding zero.
void PackRow(const QRgb *pixel, int width, unsigned char *row, int rowBytes) {
    unsigned char *at = row;
#if Q_BYTE_ORDER == Q_LITTLE_ENDIAN
    // In memory a pixel is blue, green, red, alpha: four bytes copied, the next pixel's
    // blue over this one's alpha (the row has a spare byte for the last one). Four at a
    // time, which halves the instructions a pixel.
    int x = 0;
    for (; x + 4 <= width; x += 4, at += 12) {
        std::memcpy(at, pixel + x, 4);
        std::memcpy(at + 3, pixel + x + 1, 4);
        std::memcpy(at + 6, pixel + x + 2, 4);
        std::memcpy(at + 9, pixel + x + 3, 4);
    }
    for (; x < width; ++x, at += 3)
        std::memcpy(at, pixel + x, 4);
#else
    for (int x = 0; x < width; ++x) {
        *at++ = static_cast<unsigned char>(qBlue(pixel[x]));
        *at++ = static_cast<unsigned char>(qGreen(pixel[x]));
        *at++ = static_cast<unsigned char>(qRed(pixel[x]));
    }
#endif
    std::memset(row + 3 * width, 0, std::size_t(rowBytes - 3 * width));
}

} // namespace

bool WritesAsBmp(const QImage &image, const char *format) {
    return !image.isNull() && image.format() == QImage::Format_RGB32 &&
           ::strcasecmp(format, "bmp") == 0;
}

bool WriteBmp(const QImage &image, QIODevice &device) {
    const int width = image.width(), height = image.height();
    const int rowBytes = ((width * 24 + 31) / 32) * 4;
    unsigned char header[kHeaderSize];
    unsigned char *at = header;
    Put16(at, 0x4d42); // "BM"
    Put32(at, quint32(kHeaderSize) + quint32(rowBytes) * quint32(height));
    Put32(at, 0); // reserved
    Put32(at, kHeaderSize);
    Put32(at, 40);
    Put32(at, quint32(width));
    Put32(at, quint32(height));
    Put16(at, 1);  // planes
    Put16(at, 24); // bits a pixel
    Put32(at, 0);  // no compression
    Put32(at, quint32(rowBytes) * quint32(height));
    Put32(at, quint32(image.dotsPerMeterX())); // never 0: Qt keeps the last nonzero
    Put32(at, quint32(image.dotsPerMeterY()));
    Put32(at, 0); // no colour table
    Put32(at, 0);
    if (device.write(reinterpret_cast<const char *>(header), kHeaderSize) != kHeaderSize)
        return false;
    std::vector<unsigned char> row(std::size_t(rowBytes) + 1);
    for (int y = height - 1; y >= 0; --y) { // the bottom row first
        PackRow(reinterpret_cast<const QRgb *>(image.constScanLine(y)), width, row.data(),
                rowBytes);
        if (device.write(reinterpret_cast<const char *>(row.data()), rowBytes) != rowBytes)
            return false;
    }
    return true;
}

} // namespace kurvanto
