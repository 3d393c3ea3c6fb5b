// SPDX-License-Identifier: GPL-3.0-or-later
// kurvanto-cli's --param and --family: the values a formula's parameters read as, and
// what the tool says when one is missing or malformed.
#include <gtest/gtest.h>

#include "clirunner.h"

namespace {

using kurvanto::testing::RunCli;
using Args = std::vector<std::string>;

struct ParamCase {
    Args args;
    int code;
    std::string out, err; // err: what standard error begins with
};

TEST(CliParams, ValuesMessagesAndCodes) {
    const ParamCase cases[] = {
        {{"eval", "k*x+b", "--param", "k=2", "3", "--param", "B=-1"}, 0, "n 5\n", ""},
        {{"eval", "--param", "k=0.1", "k*x", "7"}, 0, "n 0.70000000000000007\n", ""},
        {{"eval", "k*x", "1"}, 1, "", "позиция 1: параметр «k» не задан\n"},
        {{"eval", "x+K*b", "1", "--param", "b=2"}, 1, "", "позиция 3: параметр «K» не задан\n"},
        {{"eval", "k2", "1", "--param", "k=2"},
         1,
         "",
         "позиция 1: сразу после параметра «k» не может стоять «2»"},
        {{"eval", "k*x", "1", "--param", "k=1,2,3"}, 2, "", "kurvanto-cli: --param k=1,2,3"},
        {{"eval", "k*x", "1", "--param"}, 2, "", "kurvanto-cli: --param: не хватает"},
        {{"check", "k*x"}, 0, "n\n", ""},
        {{"check", "--param", "k=oops", "k*x"}, 0, "n\n", ""},
        {{"check", "--raw", "k*x"}, 0, "n\n", ""},
        {{"eval", "--raw", "k*x", "1"}, 0, "f 0.33333333333333331\n", ""},
        {{"plot", "x^2+c", "--family", "c=-2:2:0,05", "-o", "-"},
         2,
         "",
         "kurvanto-cli: --family c=-2:2:0,05: в семействе больше 50"},
        {{"plot", "x^2+c", "--family", "c=2:-2:1", "-o", "-"}, 2, "", "kurvanto-cli: --family"},
        {{"plot", "x^2+c*k", "--family", "c=0:1:1", "-o", "-"},
         1,
         "",
         "позиция 7: параметр «k» не задан\n"},
        {{"table", "k*x", "--param", "k=2", "--from", "1", "--step", "1", "--count", "2"},
         0,
         "x\tk*x\n1\t2\n2\t4\n",
         ""},
        {{"table", "k*x", "--from", "1", "--step", "1", "--count", "2"},
         1,
         "",
         "«k*x»: позиция 1: параметр «k» не задан\n"},
        {{"points", "k*x-2", "--param", "k=2"}, 0, "root 1 1 0\n", ""},
        {{"points", "k*x-2"}, 1, "", "позиция 1: параметр «k» не задан\n"},
    };
    for (const ParamCase &c : cases) {
        const kurvanto::testing::Result r = RunCli(c.args);
        EXPECT_EQ(r.code, c.code) << c.args[1] << ": " << r.err;
        EXPECT_EQ(r.out, c.out) << c.args[1];
        EXPECT_EQ(r.err.substr(0, c.err.size()), c.err) << c.args[1];
    }
}

} // namespace
