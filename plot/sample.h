// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A sample of the drawing pass and the pixel it goes to.
#include <cmath>
#include <cstdint>

#include "rounding.h"

namespace kurvanto {

// Round(v) where it fits; beyond the 32-bit range the nearest whole real (ties to even as
// well), which only the build run's clipping looks at. Either way the value of rint(v) (a
// zero may lose its sign, which no use of a position sees).
inline long double PixelPosition(long double v) {
    if (const auto rounded = TryRound(v))
        return *rounded;
    return std::rint(v);
}

// The pixel position of a sample, from the scale fixed before the drawing pass: the same
// values as PixelPosition, with one rounding and no detour through the integers.
struct Mapping {
    double xMin = 0, xUnitsPerPixel = 0, yMax = 0, yUnitsPerPixel = 0;

    long double column(double x) const {
        return std::rint((static_cast<long double>(x) - xMin) / xUnitsPerPixel);
    }
    long double row(double y) const {
        return std::rint((static_cast<long double>(yMax) - y) / yUnitsPerPixel);
    }
};

// One sample of the drawing pass, evaluated and placed.
struct Sample {
    enum Mark : unsigned char {
        Skip,  // failed or outside the guard band: nothing is drawn
        Pixel, // drawn to (column, row)
        Far,   // drawn to a position beyond the 32-bit range, worked out again by the walk
        Threw, // the evaluation raised an exception; the samples after it are not evaluated
    };
    double x = 0, value = 0;
    std::int32_t column = 0, row = 0;
    char status = 'n';
    Mark mark = Skip;
    bool quick = false; // placed by the quick pass: value is near the engine's, not equal to it
};

} // namespace kurvanto
