// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A 24-bit BMP of a 32-bit picture, the same bytes as Qt's BMP writer gives, without the
// image-format plug-ins that QImageWriter loads, every one of them, before it writes.
class QIODevice;
class QImage;

namespace kurvanto {

// True for the pictures WriteBmp takes: a BMP of a non-null Format_RGB32 picture.
bool WritesAsBmp(const QImage &image, const char *format);
// Writes the picture whole into the device; false when the device refuses a write.
bool WriteBmp(const QImage &image, QIODevice &device);

} // namespace kurvanto
