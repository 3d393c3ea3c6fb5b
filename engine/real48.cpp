#include "real48.h"

#include <cmath>

namespace kurvanto {

namespace {
constexpr int kMantissaBits = 40;
constexpr int kMinExponent = -127; // frexp exponent of 2^-128
constexpr int kMaxExponent = 127;  // frexp exponent of the largest value, just under 2^127
} // namespace

bool Real48::tryFrom(long double v, Real48 &out) {
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
