// SPDX-License-Identifier: GPL-3.0-or-later
// kurvanto-cli table: the header, a row for each x, and the refusals.
#include <gtest/gtest.h>
#include <regex>
#include <sstream>

#include "clirunner.h"

namespace {

struct TableCase {
    const char *name;
    const char *args; // split at the blanks
    int code;
    std::string out;
    std::string err; // a regular expression for the whole of standard error
};

class TableCommand : public ::testing::TestWithParam<TableCase> {};

TEST_P(TableCommand, PrintsTheTableOrRefuses) {
    const TableCase &c = GetParam();
    std::vector<std::string> args{"table"};
    std::istringstream words(c.args);
    for (std::string word; words >> word;)
        args.push_back(word);
    const kurvanto::testing::Result r = kurvanto::testing::RunCli(args);
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
        TableCase{"CommaStep", "x^2-3 --also sqrt(x) --from -1 --step 0,5 --count 5", 0, kTable,
                  ""},
        TableCase{"RefusedAlso", "x --also 2x --from 0 --step 1 --count 1", 1, "",
                  "«2x»: позиция [0-9]+: .+\n"},
        TableCase{"CountZero", "x --from 0 --step 1 --count 0", 2, "", kUsage},
        TableCase{"CountAboveTheLimit", "x --from 0 --step 1 --count 10001", 2, "", kUsage},
        TableCase{"NoStep", "x --from 0 --count 1", 2, "", kUsage},
        TableCase{"SecondFormulaWithoutAlso", "x x^2 --from 0 --step 1 --count 1", 2, "", kUsage}),
    [](const auto &row) { return std::string(row.param.name); });

} // namespace
