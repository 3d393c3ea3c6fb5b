// SPDX-License-Identifier: GPL-3.0-or-later
// Random texts over the formula alphabet: the engine never crashes, never reads past the
// buffer (the sanitizer build checks that), and is a function of the text and x alone.
#include <gtest/gtest.h>

#include <cstring>
#include <random>
#include <string>

#include "errors.h"
#include "formula.h"
#include "randomformula.h"

namespace {

struct Result {
    char status;
    double value;
    bool threw;
};

Result EvaluateOnce(double x) {
    kurvanto::FormulaStatus = 'n';
    try {
        double v = kurvanto::EvaluateFormula(x);
        return {kurvanto::FormulaStatus, v, false};
    } catch (const kurvanto::ConversionError &) {
        return {kurvanto::FormulaStatus, 0, true};
    }
}

TEST(Properties, RandomTextsAreDeterministicAndSafe) {
    std::mt19937 rng(20261207);
    const double xs[] = {-1e300, -3, -1, 0, 0.5, 1, 2, 1e-310, 1e19};
    for (int i = 0; i < 20000; ++i) {
        const std::string text = kurvanto::testing::RandomPieces(rng, 40);
        kurvanto::SetFormulaText(text);
        ASSERT_LE(std::strlen(kurvanto::FormulaText), 80u);
        kurvanto::FormulaStatus = 'n';
        kurvanto::CheckFormula();
        const char checked = kurvanto::FormulaStatus;
        ASSERT_TRUE(checked == 'n' || checked == 'f');
        for (double x : xs) {
            Result a = EvaluateOnce(x);
            Result b = EvaluateOnce(x);
            ASSERT_EQ(a.threw, b.threw) << text;
            ASSERT_EQ(a.status, b.status) << text;
            ASSERT_TRUE(a.status == 'n' || a.status == 'f' || a.status == 'm') << text;
            if (!a.threw) {
                ASSERT_EQ(std::memcmp(&a.value, &b.value, sizeof a.value), 0) << text;
            }
        }
    }
}

TEST(Properties, WholeBufferOfEveryByte) {
    // Every byte value, placed everywhere in a full buffer.
    for (int byte = 1; byte < 256; ++byte) {
        std::memset(kurvanto::FormulaText, 'x', 80);
        for (int pos = 0; pos < 80; pos += 7)
            kurvanto::FormulaText[pos] = static_cast<char>(byte);
        kurvanto::FormulaText[80] = '\0';
        kurvanto::FormulaStatus = 'n';
        kurvanto::CheckFormula();
        EvaluateOnce(1.0);
    }
}

} // namespace

namespace {

// Kept scans and fresh scans give the same bits, statuses and errors, also when the text
// changes between calls.
TEST(Properties, KeptScansMatchFreshScans) {
    std::mt19937 rng(7);
    const double xs[] = {-2, 0, 0.25, 3, 1e-300};
    for (int i = 0; i < 5000; ++i) {
        const std::string text = kurvanto::testing::RandomPieces(rng, 40);
        kurvanto::SetFormulaText(text);
        for (double x : xs) {
            kurvanto::SetScanCacheEnabled(false);
            Result fresh = EvaluateOnce(x);
            kurvanto::SetScanCacheEnabled(true);
            Result kept1 = EvaluateOnce(x);
            Result kept2 = EvaluateOnce(x);
            for (const Result &kept : {kept1, kept2}) {
                ASSERT_EQ(fresh.threw, kept.threw) << text;
                ASSERT_EQ(fresh.status, kept.status) << text;
                if (!fresh.threw) {
                    ASSERT_EQ(std::memcmp(&fresh.value, &kept.value, sizeof fresh.value), 0)
                        << text;
                }
            }
        }
    }
}

TEST(Properties, ChangedTextIsScannedAgain) {
    kurvanto::SetFormulaText("x+1");
    kurvanto::FormulaStatus = 'n';
    EXPECT_EQ(kurvanto::EvaluateFormula(1), 2.0);
    kurvanto::SetFormulaText("x+2");
    EXPECT_EQ(kurvanto::EvaluateFormula(1), 3.0);
    kurvanto::SetFormulaText("2,,5");
    EXPECT_THROW(kurvanto::EvaluateFormula(1), kurvanto::ConversionError);
    EXPECT_THROW(kurvanto::EvaluateFormula(1), kurvanto::ConversionError) << "every call";
}

} // namespace
