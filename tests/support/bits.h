// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Doubles compared as stored: -0 is not 0, and a NaN equals the same NaN.
#include <cstring>

namespace kurvanto::testing {

inline bool SameBits(double a, double b) {
    return std::memcmp(&a, &b, sizeof a) == 0;
}

} // namespace kurvanto::testing
