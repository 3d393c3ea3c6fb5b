// SPDX-License-Identifier: GPL-3.0-or-later
// kurvanto-cli table: the header, a row for each x, and the refusals.
#include <gtest/gtest.h>
#include <regex>

#include "cli_runner.h"

namespace {

using Args = std::vector<std::string>;

struct TableCase {
    const char *name;
    Args args;
    int code;
    std::string out;
    std::string err; // a regular expression for the whole of standard error
};

class TableCommand : public ::testing::TestWithParam<TableCase> {};

TEST_P(TableCommand, PrintsTheTableOrRefuses) {
    const TableCase &c = GetParam();
    const clitest::Result r = clitest::RunCli(c.args);
    EXPECT_EQ(r.code, c.code);
    EXPECT_EQ(r.out, c.out);
    EXPECT_TRUE(std::regex_match(r.err, std::regex(c.err))) << r.err;
}

// x^2-3 and sqrt(x) at -1, -0.5, 0, 0.5, 1 (sqrt(0.5) to 17 digits).
const std::string kTable = "x\tx^2-3\tsqrt(x)\n-1\t-2\tm\n-0.5\t-2.75\tm\n0\t-3\t0\n"
                           "0.5\t-2.75\t0.70710678118654757\n1\t-2\t1\n";
const std::string kUsage = ".+ [(]см. kurvanto-cli --help[)]\n";

INSTANTIATE_TEST_SUITE_P(
    Cli, TableCommand,
    ::testing::Values(
        TableCase{"CommaStep",
                  {"table", "x^2-3", "--also", "sqrt(x)", "--from", "-1", "--step", "0,5",
                   "--count", "5"},
                  0,
                  kTable,
                  ""},
        TableCase{"PointStepOptionsFirst",
                  {"table", "--count", "5", "--step", "0.5", "--from", "-1,0", "--also", "sqrt(x)",
                   "x^2-3"},
                  0,
                  kTable,
                  ""},
        TableCase{"RefusedAlso",
                  {"table", "x", "--also", "2x", "--from", "0", "--step", "1", "--count", "1"},
                  1,
                  "",
                  "«2x»: позиция [0-9]+: .+\n"},
        TableCase{"CountZero",
                  {"table", "x", "--from", "0", "--step", "1", "--count", "0"},
                  2,
                  "",
                  kUsage},
        TableCase{"CountAboveTheLimit",
                  {"table", "x", "--from", "0", "--step", "1", "--count", "10001"},
                  2,
                  "",
                  kUsage},
        TableCase{"NoStep", {"table", "x", "--from", "0", "--count", "1"}, 2, "", kUsage},
        TableCase{"SecondFormulaWithoutAlso",
                  {"table", "x", "x^2", "--from", "0", "--step", "1", "--count", "1"},
                  2,
                  "",
                  kUsage}),
    [](const auto &row) { return std::string(row.param.name); });

} // namespace
