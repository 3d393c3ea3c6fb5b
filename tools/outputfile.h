// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Where plot writes its picture and in which format, and the writing itself: whole or not at
// all, the old file kept on any failure.
#include <QImage>
#include <QString>
#include <string>

namespace kurvanto {

struct OutputTarget {
    std::string name;    // as given on the command line, byte for byte
    bool standardOutput; // the name "-"
    bool inPlace;        // written in place: standard output, a device, a FIFO
    const char *format;  // "BMP", "PNG", "JPG", "PPM", "SVG" or "PDF"
    // Written to this descriptor, in place: 1 for "-", N for a name that stands for the
    // descriptor N open at start-up (/dev/stdout, /dev/fd/N...); -1: the name is a path.
    int descriptor = -1;
};

class VectorRecorder;

// The target and its format. "-" is standard output; /dev/stdout, /dev/stderr, /dev/fd/N and
// /proc/self/fd/N the descriptor they name when it was open at start-up (descriptorname.h).
// The format: --format when given (bmp, png, jpg or jpeg, ppm, any letter case), otherwise
// the name's extension (.bmp, .png, .jpg, .jpeg, .ppm, .svg, .pdf, any letter case); BMP, the
// program's own format, for standard output, a name without an extension and a target that exists
// and is not a regular file (a device, a FIFO). Throws UsageError for any other extension.
OutputTarget ChooseOutput(const std::string &name, const std::string &formatOption);

// SVG and PDF: the field drawn again as vectors.
bool IsVectorFormat(const OutputTarget &target);
std::string WriteVectorOutput(const VectorRecorder &field, const OutputTarget &target,
                              const QString &title);

// Writes the picture; an empty text when done, otherwise the reason. A regular file is
// replaced only by a completely written one, keeping its permissions; a symbolic link is
// followed; a target that is not a regular file is written in place.
std::string WriteOutput(const QImage &image, const OutputTarget &target);

} // namespace kurvanto
