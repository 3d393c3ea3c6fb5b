// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Turning reals into 32-bit integers. Round is to nearest with ties to even, Trunc cuts
// toward zero. A value that is not finite or does not fit is never cast: the checked forms
// report it, the throwing forms raise InvalidOperation.
#include <cmath>
#include <cstdint>
#include <optional>

#include "errors.h"

namespace kurvanto {

inline bool FitsInt32(long double v) {
    return std::isfinite(v) && v >= -2147483648.0L && v <= 2147483647.0L;
}

// A whole number known to fit. It goes through double, which holds it exactly: converting a
// long double straight to an integer makes the x87 FPU switch its rounding mode twice.
inline std::int32_t WholeToInt32(long double whole) {
    return static_cast<std::int32_t>(static_cast<double>(whole));
}

// Nearest integer, ties to the even neighbour (2.5 -> 2, 3.5 -> 4); empty when it does not fit.
inline std::optional<std::int32_t> TryRound(long double v) {
    if (!std::isfinite(v))
        return std::nullopt;
    long double r = std::rint(v); // the default rounding mode: to nearest, ties to even
    if (!FitsInt32(r))
        return std::nullopt;
    return WholeToInt32(r);
}

// Cut toward zero; empty when it does not fit.
inline std::optional<std::int32_t> TryTrunc(long double v) {
    if (!std::isfinite(v))
        return std::nullopt;
    long double t = std::trunc(v);
    if (!FitsInt32(t))
        return std::nullopt;
    return WholeToInt32(t);
}

inline std::int32_t Round(long double v) {
    if (auto r = TryRound(v))
        return *r;
    throw InvalidOperation();
}

inline std::int32_t Trunc(long double v) {
    if (auto t = TryTrunc(v))
        return *t;
    throw InvalidOperation();
}

} // namespace kurvanto
