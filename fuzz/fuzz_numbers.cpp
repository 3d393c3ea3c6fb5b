// SPDX-License-Identifier: GPL-3.0-or-later
// libFuzzer target: the reading of typed numbers never fails on any text, and reading what
// the general format writes gives the value back to 15 significant digits.
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include "generalformat.h"

namespace {

void RoundTrip(double v, char separator) {
    if (!std::isfinite(v))
        return;
    const std::string text = kurvanto::FormatGeneral(v, separator);
    long double back = 0;
    if (!kurvanto::ParseReal(text, separator, back))
        std::abort();
    // 15 significant digits: the relative error is at most half a unit in the 15th digit.
    const long double tolerance = std::fabs(static_cast<long double>(v)) * 5.0000001e-15L;
    if (std::fabs(back - v) > tolerance)
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
    const std::string text(reinterpret_cast<const char *>(data), size);
    long double value = 0;
    for (char separator : {',', '.'}) {
        if (kurvanto::ParseReal(text, separator, value) && !std::isfinite(value))
            std::abort(); // an accepted text always reads as a finite number
    }
    if (size >= sizeof(double)) {
        double v;
        std::memcpy(&v, data, sizeof v);
        RoundTrip(v, ',');
        RoundTrip(v, '.');
    }
    return 0;
}
