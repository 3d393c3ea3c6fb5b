// SPDX-License-Identifier: GPL-3.0-or-later
// Rounding into 32-bit integers and the 6-byte real.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>

#include "real48.h"
#include "rounding.h"

namespace {

using kurvanto::Real48;

struct RoundCase {
    long double value;
    bool fits;
    int round;
    int trunc;
};

const RoundCase kRoundCases[] = {
    {2.5L, true, 2, 2},
    {3.5L, true, 4, 3},
    {-2.5L, true, -2, -2},
    {-3.5L, true, -4, -3},
    {0.5L, true, 0, 0},
    {1.5L, true, 2, 1},
    {320.5L, true, 320, 320},
    {320.8L, true, 321, 320},
    {-0.4L, true, 0, 0},
    {2147483647.0L, true, 2147483647, 2147483647},
    {-2147483648.0L, true, -2147483647 - 1, -2147483647 - 1},
    {2147483647.4L, true, 2147483647, 2147483647},
    {2147483648.0L, false, 0, 0},
    {-2147483649.0L, false, 0, 0},
    {1e300L, false, 0, 0},
};

TEST(Rounding, HalfToEvenAndTowardZero) {
    for (const auto &c : kRoundCases) {
        auto r = kurvanto::TryRound(c.value);
        auto t = kurvanto::TryTrunc(c.value);
        ASSERT_EQ(r.has_value(), c.fits) << static_cast<double>(c.value);
        if (!c.fits)
            continue;
        EXPECT_EQ(*r, c.round) << static_cast<double>(c.value);
        EXPECT_EQ(*t, c.trunc) << static_cast<double>(c.value);
    }
}

TEST(Rounding, NotFiniteNeverFits) {
    for (long double v : {std::numeric_limits<long double>::infinity(),
                          -std::numeric_limits<long double>::infinity(),
                          std::numeric_limits<long double>::quiet_NaN()}) {
        EXPECT_FALSE(kurvanto::TryRound(v));
        EXPECT_FALSE(kurvanto::TryTrunc(v));
        EXPECT_THROW(kurvanto::Round(v), kurvanto::InvalidOperation);
    }
    EXPECT_THROW(kurvanto::Trunc(3e9L), kurvanto::InvalidOperation);
    // -2147483648.5 truncates to -2147483648, which fits.
    EXPECT_EQ(kurvanto::Trunc(-2147483648.5L), -2147483647 - 1);
}

TEST(Real48, RangeAndPrecision) {
    EXPECT_EQ(Real48::from(0.0L).value(), 0.0);
    EXPECT_EQ(Real48::from(1.5L).value(), 1.5);
    EXPECT_EQ(Real48::from(1e-39L).value(), 0.0) << "below 2^-128 becomes 0";
    EXPECT_EQ(Real48::from(std::ldexp(1.0L, -128)).value(), std::ldexp(1.0, -128));
    EXPECT_EQ(Real48::from(-1e38L).value(), static_cast<double>(Real48::from(-1e38L)));
    EXPECT_THROW(Real48::from(1.8e38L), kurvanto::FloatOverflow);
    EXPECT_THROW(Real48::from(-1e300L), kurvanto::FloatOverflow);
    EXPECT_THROW(Real48::from(std::numeric_limits<long double>::infinity()),
                 kurvanto::FloatOverflow);
    // 40 significant bits: 1 + 2^-39 survives, 1 + 2^-41 does not; ties go to even.
    EXPECT_EQ(Real48::from(1.0L + std::ldexp(1.0L, -39)).value(), 1.0 + std::ldexp(1.0, -39));
    EXPECT_EQ(Real48::from(1.0L + std::ldexp(1.0L, -41)).value(), 1.0);
    EXPECT_EQ(Real48::from(1.0L + std::ldexp(1.0L, -40)).value(), 1.0);
    EXPECT_EQ(Real48::from(1.0L + 3 * std::ldexp(1.0L, -40)).value(), 1.0 + std::ldexp(1.0, -38));
    // The largest value, just under 2^127.
    long double largest = std::ldexp(1.0L, 127) - std::ldexp(1.0L, 127 - 40);
    EXPECT_EQ(Real48::from(largest).value(), static_cast<double>(largest));
    EXPECT_THROW(Real48::from(std::ldexp(1.0L, 127)), kurvanto::FloatOverflow);
}

} // namespace

namespace {

// The conversion on the bits of the extended real and the one through frexp agree.
TEST(Real48, BitsAndPortableConversionAgree) {
    std::mt19937_64 rng(48);
    std::uniform_int_distribution<int> exponent(-140, 140);
    std::uniform_real_distribution<double> mantissa(-1.0, 1.0);
    for (int i = 0; i < 200000; ++i) {
        long double v = std::ldexp(static_cast<long double>(mantissa(rng)), exponent(rng));
        if (i % 3 == 0) // a tie, or next to one, at the 40th bit
            v = std::ldexp(std::round(std::ldexp(v, 60)) / 2 + 0.5L, -60 + 1);
        Real48 fast, portable;
        const bool fastOk = Real48::tryFrom(v, fast);
        const bool portableOk = Real48::tryFromPortable(v, portable);
        ASSERT_EQ(fastOk, portableOk) << static_cast<double>(v);
        if (fastOk) {
            ASSERT_EQ(fast.value(), portable.value()) << static_cast<double>(v);
        }
    }
}

} // namespace
