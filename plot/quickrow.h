// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Where a sample of the quick pass goes: nowhere (a failure, or a value beyond the guard
// band) or to one pixel row, when the bound on its value leaves no doubt about which.
#include <cmath>
#include <cstdint>

#include "quickpass.h"

namespace kurvanto {

// The rows of the drawing pass: a value y inside the guard band (low < y < high) goes to the
// row rint((yMax - y) / yUnitsPerPixel), worked out in extended precision.
struct QuickRows {
    double yMax = 0, yUnitsPerPixel = 0;
    long double low = 0, high = 0;
    double inverse = 0; // 1 / yUnitsPerPixel, in double

    QuickRows() = default;
    QuickRows(double top, double unitsPerPixel, long double bandLow, long double bandHigh)
        : yMax(top), yUnitsPerPixel(unitsPerPixel), low(bandLow), high(bandHigh),
          inverse(1.0 / unitsPerPixel) {}
};

enum class QuickPlace : unsigned char { Undecided, Skip, Pixel };

// The whole number nearest to a t known within `bound`, when every number within the bound
// rounds to it: strictly inside the half-way points, so that no tie decides either. False
// beyond the 32-bit range (or for no number at all).
inline bool QuickWhole(double t, double bound, std::int32_t &whole) {
    if (!(std::fabs(t) < 2147483000.0))
        return false;
    const double nearest = std::rint(t);
    if (!(0.5 - std::fabs(t - nearest) > bound))
        return false;
    whole = static_cast<std::int32_t>(nearest);
    return true;
}

// The column of an x: rint((x - xMin) / xUnitsPerPixel) in extended precision where the
// double's roundings (the difference, the reciprocal, the product, each within 2^-53 of t)
// and the extended ones (each within 2^-64) cannot move it; false elsewhere.
struct QuickColumns {
    double xMin = 0, inverse = 0;

    QuickColumns() = default;
    QuickColumns(double left, double unitsPerPixel) : xMin(left), inverse(1.0 / unitsPerPixel) {}

    bool column(double x, std::int32_t &out) const {
        const double t = (x - xMin) * inverse;
        return QuickWhole(t, std::fabs(t) * 0x1p-50, out);
    }
};

// The place of a quick value: Skip and Pixel (with its row) only where the extended value,
// anywhere within the bound, gives the same.
inline QuickPlace PlaceQuick(const QuickValue &q, const QuickRows &rows, std::int32_t &row) {
    if (!q.decided)
        return QuickPlace::Undecided;
    if (q.status != 'n')
        return QuickPlace::Skip;
    // [lo, hi] holds [value - error, value + error] whatever the rounding of the two sums: the
    // widening exceeds half a unit in the last place of either.
    const double v = q.value;
    const double e = q.error * (1 + 0x1p-50) + std::fabs(v) * 0x1p-51 + 0x1p-1074;
    const double lo = v - e, hi = v + e;
    if (hi <= rows.low || lo >= rows.high)
        return QuickPlace::Skip;
    if (!(lo > rows.low && hi < rows.high))
        return QuickPlace::Undecided;
    // t differs from the extended (yMax - y) / yUnitsPerPixel by the value's bound scaled, and
    // by the roundings: three in double (the difference, the reciprocal, the product), each
    // within 2^-53 of t, and two in extended precision, each within 2^-64.
    const double t = (rows.yMax - v) * rows.inverse;
    const double bound = e * std::fabs(rows.inverse) * (1 + 0x1p-40) + std::fabs(t) * 0x1p-50;
    return QuickWhole(t, bound, row) ? QuickPlace::Pixel : QuickPlace::Undecided;
}

} // namespace kurvanto
