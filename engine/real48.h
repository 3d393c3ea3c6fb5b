// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The 6-byte real: a sign, a 40-bit significand (hidden bit included) and an 8-bit
// exponent, giving magnitudes from 2^-128 (about 2.9e-39) to just under 2^127
// (about 1.7e38), with no denormals. Every such value is exact in a double, so the type
// keeps its value as a double; it only enforces the precision and the range.
#include "errors.h"

namespace kurvanto {

class Real48 {
  public:
    Real48() = default;

    // Rounds v to 40 significant bits (ties to even). A magnitude below the smallest
    // normal value becomes 0; one above the largest is an overflow (FloatOverflow).
    static Real48 from(long double v);
    // The same conversion, reporting an overflow by its result instead of an exception.
    static bool tryFrom(long double v, Real48 &out);

    // The same conversion done with frexp and ldexp, for any long double format.
    static bool tryFromPortable(long double v, Real48 &out);

    double value() const { return value_; }
    operator double() const { return value_; }

  private:
    explicit Real48(double v) : value_(v) {}
    double value_ = 0.0;
};

} // namespace kurvanto
