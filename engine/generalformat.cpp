// SPDX-License-Identifier: GPL-3.0-or-later
#include "generalformat.h"

#include <cfloat>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <locale.h>

namespace kurvanto {

namespace {

// Runs the C library's number conversions in the "C" locale for its lifetime, whatever the
// program's locale (a Qt program takes the system's), so a point is always the separator.
class CLocaleScope {
  public:
    CLocaleScope() {
        static const locale_t c = newlocale(LC_ALL_MASK, "C", locale_t(nullptr));
        m_previous = uselocale(c);
    }
    ~CLocaleScope() { uselocale(m_previous); }
    CLocaleScope(const CLocaleScope &) = delete;
    CLocaleScope &operator=(const CLocaleScope &) = delete;

  private:
    locale_t m_previous;
};

// The decimal digits of |value| rounded to 15 significant ones, trailing zeros dropped, and
// the exponent E with |value| = 0.d1d2... * 10^E. Zero gives no digits.
struct Digits {
    std::string digits;
    int exponent = 0;
};

Digits DecimalDigits(long double magnitude) {
    Digits d;
    if (magnitude == 0)
        return d;
    char buffer[64];
    const CLocaleScope cLocale;
    // d.dddddddddddddde[+-]xx, correctly rounded to 15 significant digits
    std::snprintf(buffer, sizeof buffer, "%.*Le", kGeneralDigits - 1, magnitude);
    const std::string text(buffer);
    const std::size_t e = text.find('e');
    d.digits = text.substr(0, 1) + text.substr(2, e - 2);
    d.exponent = std::atoi(text.c_str() + e + 1) + 1;
    while (!d.digits.empty() && d.digits.back() == '0')
        d.digits.pop_back();
    return d;
}

std::string ExponentForm(const Digits &d, char separator) {
    std::string out(1, d.digits[0]);
    if (d.digits.size() > 1)
        out += separator + d.digits.substr(1);
    return out + "E" + std::to_string(d.exponent - 1);
}

std::string FixedForm(const Digits &d, char separator) {
    const int n = static_cast<int>(d.digits.size());
    if (d.exponent <= 0) {
        if (n == 0)
            return "0";
        return std::string("0") + separator + std::string(-d.exponent, '0') + d.digits;
    }
    if (n <= d.exponent)
        return d.digits + std::string(d.exponent - n, '0');
    return d.digits.substr(0, d.exponent) + separator + d.digits.substr(d.exponent);
}

// blanks: any number of spaces
std::size_t SkipBlanks(const std::string &text, std::size_t i) {
    while (i < text.size() && text[i] == ' ')
        ++i;
    return i;
}

// digits: one or more of 0..9; returns the position after them
std::size_t SkipDigits(const std::string &text, std::size_t i) {
    while (i < text.size() && text[i] >= '0' && text[i] <= '9')
        ++i;
    return i;
}

// mantissa: digits with at most one separator, at least one digit in all
bool ReadMantissa(const std::string &text, char separator, std::size_t &i, std::string &out) {
    const std::size_t start = i;
    std::size_t end = SkipDigits(text, i);
    out = text.substr(start, end - start);
    if (end < text.size() && text[end] == separator) {
        const std::size_t fraction = end + 1;
        end = SkipDigits(text, fraction);
        out += '.' + text.substr(fraction, end - fraction);
    }
    i = end;
    return out.find_first_of("0123456789") != std::string::npos;
}

// exponent: "E" or "e", an optional sign, one or more digits
bool ReadExponent(const std::string &text, std::size_t &i, std::string &out) {
    if (i >= text.size() || (text[i] != 'E' && text[i] != 'e'))
        return true;
    std::size_t j = i + 1;
    if (j < text.size() && (text[j] == '+' || text[j] == '-'))
        ++j;
    const std::size_t end = SkipDigits(text, j);
    if (end == j)
        return false;
    out = "e" + text.substr(i + 1, end - i - 1);
    i = end;
    return true;
}

} // namespace

bool FitsDouble(long double value) {
    // Halfway between DBL_MAX and 2^1024: from there on, rounding to double gives infinity.
    static const long double limit = std::ldexp(1.0L, 1024) - std::ldexp(1.0L, 970);
    return std::isfinite(value) && std::fabs(value) < limit;
}

std::string FormatGeneral(long double value, char separator) {
    if (std::isnan(value))
        return "NAN";
    if (std::isinf(value))
        return value < 0 ? "-INF" : "INF";
    const Digits d = DecimalDigits(std::fabs(value));
    const std::string sign = value < 0 ? "-" : "";
    if (!d.digits.empty() && (d.exponent > 15 || d.exponent < -3))
        return sign + ExponentForm(d, separator);
    return sign + FixedForm(d, separator);
}

bool ParseReal(const std::string &text, char separator, long double &value) {
    std::size_t i = SkipBlanks(text, 0);
    std::string number;
    if (i < text.size() && (text[i] == '+' || text[i] == '-'))
        number += text[i++];
    std::string mantissa, exponent;
    if (!ReadMantissa(text, separator, i, mantissa) || !ReadExponent(text, i, exponent))
        return false;
    if (SkipBlanks(text, i) != text.size())
        return false;
    // The number is rebuilt in the C locale's spelling, so strtold reads exactly it.
    number += mantissa + exponent;
    char *end = nullptr;
    const CLocaleScope cLocale;
    long double result = std::strtold(number.c_str(), &end);
    if (end != number.c_str() + number.size())
        return false;
    // The format writes the largest doubles rounded up to 15 digits (1,79769313486232E308),
    // beyond the double range; such a text reads back as the largest double.
    static const long double largestWritten = 1.79769313486232E308L;
    const long double largest = std::numeric_limits<double>::max();
    if (!FitsDouble(result) && std::isfinite(result) && std::fabs(result) <= largestWritten)
        result = result < 0 ? -largest : largest;
    if (!FitsDouble(result))
        return false;
    value = result;
    return true;
}

} // namespace kurvanto
