// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Reals as the user sees and types them: the general format with 15 significant digits and
// the reading of a typed number. The decimal separator is a parameter (the locale's one).
#include <string>

namespace kurvanto {

constexpr int kGeneralDigits = 15;

// 15 significant digits, trailing zeros dropped, whole numbers without a separator; the
// exponent form ("1E15", "-2,5E-7") when |value| >= 1E15 or < 0.0001 after rounding.
// Not-a-number and infinities give "NAN", "INF" and "-INF".
std::string FormatGeneral(long double value, char separator);

// Reads: blanks, an optional sign, digits with at most one separator, an optional exponent
// ("E" or "e", an optional sign, digits), blanks, and nothing else. The value is computed at
// extended precision. False for any other text and for a number too large for a double.
bool ParseReal(const std::string &text, char separator, long double &value);

// Whether a value rounds to a finite double (so that converting it is defined).
bool FitsDouble(long double value);

} // namespace kurvanto
