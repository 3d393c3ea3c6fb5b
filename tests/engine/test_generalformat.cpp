// SPDX-License-Identifier: GPL-3.0-or-later
// The general number format of the spin edit and the coordinate read-out, and the reading
// of a typed number.
#include <cfloat>
#include <clocale>
#include <cmath>
#include <gtest/gtest.h>
#include <limits>
#include <string>

#include "generalformat.h"

namespace kurvanto {
namespace {

struct FormatCase {
    const char *name;
    long double value;
    const char *comma;
    const char *point;
};

class FormatGeneralTest : public ::testing::TestWithParam<FormatCase> {};

TEST_P(FormatGeneralTest, BothLocales) {
    const FormatCase &c = GetParam();
    EXPECT_EQ(FormatGeneral(c.value, ','), c.comma);
    EXPECT_EQ(FormatGeneral(c.value, '.'), c.point);
}

const FormatCase kFormatCases[] = {
    // the table the dialogs and the read-out are checked against
    {"NegativeWhole", -10, "-10", "-10"},
    {"Whole", 640, "640", "640"},
    {"Zero", 0, "0", "0"},
    {"Half", 0.5, "0,5", "0.5"},
    {"SmallestFixed", 0.0001, "0,0001", "0.0001"},
    {"BelowFixed", 0.00001, "1E-5", "1E-5"},
    {"NegativeTinyExponent", -0.00000025, "-2,5E-7", "-2.5E-7"},
    {"Fraction", 123456.7891, "123456,7891", "123456.7891"},
    {"FifteenNines", 999999999999999.0L, "999999999999999", "999999999999999"},
    {"FirstExponent", 1E15, "1E15", "1E15"},
    {"SixteenDigitsRounded", 1234567890123456.0L, "1,23456789012346E15", "1.23456789012346E15"},
    // around the edges of the rules
    {"NegativeZeroHasNoSign", -0.0L, "0", "0"},
    {"RoundsUpIntoExponent", 999999999999999.9L, "1E15", "1E15"},            // 16 nines round up
    {"RoundsUpOutOfExponent", 0.000099999999999999999L, "0,0001", "0.0001"}, // rounds to 1E-4
    {"WholeWithTrailingZeros", 1200000, "1200000", "1200000"},
    {"LargeExponent", 1E20, "1E20", "1E20"},
    {"NegativeLargeExponent", -1.5E300, "-1,5E300", "-1.5E300"},
    {"DenormalExponent", 4.9406564584124654E-324L, "4,94065645841247E-324",
     "4.94065645841247E-324"},
    {"DoubleNoise", 0.1L + 0.2L, "0,3", "0.3"}, // 0.30000000000000000001 at 15 digits
    {"DoubleTenth", static_cast<double>(0.1L), "0,1", "0.1"},
    {"LeadingZerosAfterSeparator", 0.00123, "0,00123", "0.00123"},
    {"NotANumber", std::numeric_limits<long double>::quiet_NaN(), "NAN", "NAN"},
    {"MinusInfinity", -std::numeric_limits<long double>::infinity(), "-INF", "-INF"},
};

INSTANTIATE_TEST_SUITE_P(Table, FormatGeneralTest, ::testing::ValuesIn(kFormatCases),
                         [](const auto &row) { return std::string(row.param.name); });

struct ParseCase {
    const char *name;
    const char *text;
    char separator;
    bool ok;
    long double value;
};

class ParseRealTest : public ::testing::TestWithParam<ParseCase> {};

TEST_P(ParseRealTest, Reads) {
    const ParseCase &c = GetParam();
    long double value = -777;
    EXPECT_EQ(ParseReal(c.text, c.separator, value), c.ok) << '"' << c.text << '"';
    if (c.ok)
        EXPECT_EQ(value, c.value) << '"' << c.text << '"';
    else
        EXPECT_EQ(value, -777) << "a failed read leaves the value alone";
}

const ParseCase kParseCases[] = {
    // accepted forms
    {"Digits", "640", ',', true, 640},
    {"CommaFraction", "2,5", ',', true, 2.5},
    {"PointFraction", "2.5", '.', true, 2.5},
    {"Blanks", "  -12,5  ", ',', true, -12.5},
    {"PlusSign", "+3", ',', true, 3},
    {"TrailingSeparator", "5,", ',', true, 5},
    {"LeadingSeparator", ",5", ',', true, 0.5},
    {"Exponent", "1E15", ',', true, 1E15L},
    {"LowerExponentSigned", "-2,5e-7", ',', true, -2.5E-7L},
    {"ExponentPlus", "1e+3", '.', true, 1000},
    {"Underflow", "1E-5000", ',', true, 0},
    {"LargestDouble", "1,7976931348623157E308", ',', true, 1.7976931348623157E308L},
    // rejected forms
    {"Empty", "", ',', false, 0},
    {"OnlyBlanks", "   ", ',', false, 0},
    {"LoneMinus", "-", ',', false, 0},
    {"LoneSeparator", ",", ',', false, 0},
    {"DoubledSign", "--5", ',', false, 0},
    {"SignAfterDigits", "5-", ',', false, 0},
    {"SignBetweenDigits", "1-2", ',', false, 0},
    {"SecondSeparator", "1,2,3", ',', false, 0},
    {"PointInCommaLocale", "2.5", ',', false, 0},
    {"CommaInPointLocale", "2,5", '.', false, 0},
    {"ExponentWithoutDigits", "1E", ',', false, 0},
    {"ExponentOnly", "E5", ',', false, 0},
    {"ExponentWithoutMantissa", ",E5", ',', false, 0},
    {"FractionalExponent", "1E2,5", ',', false, 0},
    {"BlankInside", "1 000", ',', false, 0},
    {"Letters", "12abc", ',', false, 0},
    {"Tab", "\t5", ',', false, 0},
    {"Hex", "0x10", '.', false, 0},
    {"Infinity", "inf", '.', false, 0},
    {"NotANumber", "nan", '.', false, 0},
    {"BeyondDouble", "1E309", ',', false, 0},
    {"BeyondExtended", "1E5000", ',', false, 0},
    {"NegativeBeyondDouble", "-2E308", ',', false, 0},
};

INSTANTIATE_TEST_SUITE_P(Grammar, ParseRealTest, ::testing::ValuesIn(kParseCases),
                         [](const auto &row) { return std::string(row.param.name); });

TEST(ParseRealTest, EmbeddedZeroIsNotTheEnd) {
    long double value = 0;
    EXPECT_FALSE(ParseReal(std::string("5\0"
                                       "1",
                                       3),
                           ',', value));
}

// Reading at extended precision, then rounding once to double: the same double as reading
// the text as a double directly.
TEST(ParseRealTest, ExtendedPrecisionRoundsOnce) {
    long double value = 0;
    ASSERT_TRUE(ParseReal("0,1", ',', value));
    EXPECT_NE(value, static_cast<long double>(0.1)) << "the reading is not limited to a double";
    EXPECT_EQ(static_cast<double>(value), 0.1);
}

// Whatever is formatted reads back as the same double at 15 digits.
TEST(FormatGeneralTest, RoundTripsFifteenDigits) {
    const double values[] = {0.1, -2.5, 1E-5, 123456.7891, 999999999999999.0, 1E15, 3E-300};
    for (double v : values) {
        long double back = 0;
        ASSERT_TRUE(ParseReal(FormatGeneral(v, ','), ',', back)) << v;
        EXPECT_NEAR(static_cast<double>(back), v, std::fabs(v) * 1E-14) << v;
    }
}

TEST(FitsDoubleTest, Limits) {
    EXPECT_TRUE(FitsDouble(DBL_MAX));
    EXPECT_TRUE(FitsDouble(-DBL_MAX));
    EXPECT_FALSE(FitsDouble(std::ldexp(1.0L, 1024)));
    // exactly halfway between DBL_MAX and 2^1024 rounds to infinity
    EXPECT_FALSE(FitsDouble(std::ldexp(1.0L, 1024) - std::ldexp(1.0L, 970)));
    EXPECT_TRUE(FitsDouble(std::ldexp(1.0L, 1024) - std::ldexp(1.0L, 970) - std::ldexp(1.0L, 960)));
    EXPECT_FALSE(FitsDouble(std::numeric_limits<long double>::infinity()));
    EXPECT_FALSE(FitsDouble(std::numeric_limits<long double>::quiet_NaN()));
}

} // namespace
} // namespace kurvanto

namespace kurvanto {
namespace {

// A Qt program runs in the system's C locale, whose own separator may be a comma; the
// reading and the format must not depend on it.
TEST(GeneralFormatLocaleTest, IndependentOfTheCLocale) {
    const std::string saved = std::setlocale(LC_NUMERIC, nullptr);
    if (!std::setlocale(LC_NUMERIC, "ru_RU.UTF-8") && !std::setlocale(LC_NUMERIC, "de_DE.UTF-8"))
        GTEST_SKIP() << "no comma locale installed";
    long double value = 0;
    const bool read = ParseReal("2,5", ',', value);
    const std::string shown = FormatGeneral(-0.00000025, '.');
    std::setlocale(LC_NUMERIC, saved.c_str());
    EXPECT_TRUE(read);
    EXPECT_EQ(value, 2.5);
    EXPECT_EQ(shown, "-2.5E-7");
}

} // namespace
} // namespace kurvanto

// Found by fuzzing: the largest doubles are written rounded up to 15 digits, beyond the
// double range, and must still read back.
TEST(FormatGeneralTest, LargestDoublesReadBack) {
    for (double v : {std::numeric_limits<double>::max(), -std::numeric_limits<double>::max()}) {
        for (char separator : {',', '.'}) {
            const std::string text = kurvanto::FormatGeneral(v, separator);
            long double back = 0;
            ASSERT_TRUE(kurvanto::ParseReal(text, separator, back)) << text;
            EXPECT_EQ(static_cast<double>(back), v) << text;
        }
    }
    long double value = 0;
    EXPECT_FALSE(kurvanto::ParseReal("1,79769313486233E308", ',', value)) << "truly too large";
}
