// SPDX-License-Identifier: GPL-3.0-or-later
#include "real48.h"

#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>

namespace kurvanto {

namespace {
constexpr int kMantissaBits = 40;
constexpr int kMinExponent = -127; // frexp exponent of 2^-128
constexpr int kMaxExponent = 127;  // frexp exponent of the largest value, just under 2^127

// The same rounding on the bits of an x87 extended real: the 64-bit significand (with its
// explicit leading bit) is rounded to its top 40 bits, ties to even.
bool FromExtendedBits(long double v, double &value) {
    struct Bits {
        std::uint64_t significand;
        std::uint16_t signAndExponent;
    } bits{};
    std::memcpy(&bits, &v, 10);
    int exponent = bits.signAndExponent & 0x7FFF;
    if (exponent == 0x7FFF) // infinity or not a number
        return false;
    std::uint64_t m = bits.significand;
    if (m == 0 || exponent == 0) { // zero, or an extended denormal: far below the range
        value = 0.0;
        return true;
    }
    constexpr int kDropped = 64 - kMantissaBits;
    const std::uint64_t rest = m & ((std::uint64_t{1} << kDropped) - 1);
    const std::uint64_t half = std::uint64_t{1} << (kDropped - 1);
    m >>= kDropped;
    if (rest > half || (rest == half && (m & 1)))
        ++m;
    if (m >> kMantissaBits) { // rounding carried into the next power of two
        m >>= 1;
        ++exponent;
    }
    const int e = exponent - 16383 + 1; // the frexp exponent
    if (e < kMinExponent) {
        value = 0.0;
        return true;
    }
    if (e > kMaxExponent)
        return false;
    const double magnitude = std::ldexp(static_cast<double>(m), e - kMantissaBits);
    value = (bits.signAndExponent & 0x8000) ? -magnitude : magnitude;
    return true;
}

} // namespace

bool Real48::tryFrom(long double v, Real48 &out) {
    if constexpr (std::numeric_limits<long double>::digits == 64 &&
                  std::numeric_limits<long double>::max_exponent == 16384) {
        double value = 0;
        if (!FromExtendedBits(v, value))
            return false;
        out = Real48(value);
        return true;
    }
    return tryFromPortable(v, out);
}

bool Real48::tryFromPortable(long double v, Real48 &out) {
    if (std::isnan(v) || std::isinf(v))
        return false;
    if (v == 0) {
        out = Real48(0.0);
        return true;
    }
    int e = 0;
    long double m = std::frexp(v, &e); // |m| in [0.5, 1)
    long double scaled = std::rint(std::ldexp(m, kMantissaBits));
    m = std::ldexp(scaled, -kMantissaBits);
    if (std::fabs(m) >= 1.0L) { // rounding carried into the next power of two
        m /= 2;
        ++e;
    }
    if (e < kMinExponent) {
        out = Real48(0.0);
        return true;
    }
    if (e > kMaxExponent)
        return false;
    out = Real48(static_cast<double>(std::ldexp(m, e)));
    return true;
}

Real48 Real48::from(long double v) {
    Real48 r;
    if (!tryFrom(v, r))
        throw FloatOverflow();
    return r;
}

} // namespace kurvanto
