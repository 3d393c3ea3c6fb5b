// SPDX-License-Identifier: GPL-3.0-or-later
// kurvanto-cli plot and the writer: names of descriptors, vector pictures without a raster,
// a picture there is no memory for, and failures told on one line.
#include <QDir>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "clirunner.h"
#include "files.h"

namespace {

using kurvanto::testing::ReadAll;
using kurvanto::testing::Result;
using kurvanto::testing::RunCli;
using kurvanto::testing::RunOptions;
using kurvanto::testing::WriteRaw;

constexpr std::size_t kBmpSize = 54 + 640 * 3 * 441;

struct DescriptorCase {
    const char *name;
    std::string output;
    bool socket; // standard output a socket; otherwise a file opened to append
};

class DescriptorNames : public ::testing::TestWithParam<DescriptorCase> {
  protected:
    QTemporaryDir dir;
};

// "printf 'H\n' > log; kurvanto-cli plot x -o /dev/stdout >> log" appends to the same file.
TEST_P(DescriptorNames, WrittenToTheDescriptorInPlace) {
    const DescriptorCase &c = GetParam();
    const std::string log = dir.filePath(QStringLiteral("log")).toStdString();
    WriteRaw(log, "H\n");
    RunOptions options;
    if (!c.socket) {
        options.outputTo = log;
        options.appendOutput = true;
    }
    options.outputSocket = c.socket;
    const Result r = RunCli({"plot", "x", "-o", c.output}, options);
    ASSERT_EQ(r.code, 0) << r.err;
    const std::string written = c.socket ? r.out : ReadAll(log);
    const std::string expected = c.socket ? "BM" : "H\nBM";
    EXPECT_EQ(written.substr(0, expected.size()), expected);
    EXPECT_EQ(written.size(), kBmpSize + expected.size() - 2);
}

INSTANTIATE_TEST_SUITE_P(Cli, DescriptorNames,
                         ::testing::Values(DescriptorCase{"DevStdout", "/dev/stdout", false},
                                           DescriptorCase{"DevFd1", "/dev/fd/1", false},
                                           DescriptorCase{"ProcSelfFd1", "/proc/self/fd/1", false},
                                           DescriptorCase{"SocketDash", "-", true},
                                           DescriptorCase{"SocketDevStdout", "/dev/stdout", true}),
                         [](const auto &row) { return std::string(row.param.name); });

// 10000 x 10000: a raster of the field would be 400 MB; SVG and PDF need none. Under a limit
// of 300 MB ("ulimit -v 300000") the vectors are written whole, the bitmaps refused with the
// old file kept.
struct LargeCase {
    const char *name;
    std::string file;
    int code;
    std::string start; // of the written file
};

class LargePicture : public ::testing::TestWithParam<LargeCase> {
  protected:
    QTemporaryDir dir;
};

TEST_P(LargePicture, VectorsWithoutARasterBitmapsRefusedWhole) {
#if defined(__SANITIZE_ADDRESS__)
    GTEST_SKIP() << "the address sanitizer's shadow memory needs more than the limit allows";
#endif
    const LargeCase &c = GetParam();
    const std::string file = dir.filePath(QString::fromStdString(c.file)).toStdString();
    WriteRaw(file, "old");
    RunOptions options;
    options.addressSpaceLimit = 300000LL * 1024;
    const Result r =
        RunCli({"plot", "sin(x)*5", "--width", "10000", "--height", "10000", "-o", file}, options);
    EXPECT_EQ(r.code, c.code) << r.err;
    if (c.code == 0) {
        EXPECT_EQ(ReadAll(file).substr(0, c.start.size()), c.start);
        EXPECT_LT(r.maxRssKb, 100 * 1024);
    } else {
        EXPECT_EQ(r.err, "недостаточно памяти для рисунка 10000 x 10001.\n");
        EXPECT_EQ(ReadAll(file), "old");
    }
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
              QStringList{QString::fromStdString(c.file)});
}

INSTANTIATE_TEST_SUITE_P(Cli, LargePicture,
                         ::testing::Values(LargeCase{"Svg", "m.svg", 0, "<?xml"},
                                           LargeCase{"Pdf", "m.pdf", 0, "%PDF-"},
                                           LargeCase{"Png", "m.png", 3, ""},
                                           LargeCase{"Bmp", "m.bmp", 3, ""}),
                         [](const auto &row) { return std::string(row.param.name); });

// A name with a line break: the failure is one line, in Russian.
TEST(WriteFailureMessage, OneLineWithTheReasonInRussian) {
    QTemporaryDir dir;
    const std::string file = dir.path().toStdString() + "/no\nsuch\r/a.bmp";
    const Result r = RunCli({"plot", "x", "-o", file});
    EXPECT_EQ(r.code, 3);
    EXPECT_EQ(r.err.find('\n'), r.err.size() - 1) << r.err;
    EXPECT_EQ(r.err.find('\r'), std::string::npos) << r.err;
    EXPECT_NE(r.err.find("no\\nsuch\\r/a.bmp"), std::string::npos) << r.err;
    EXPECT_NE(r.err.find("нет такого файла или папки"), std::string::npos) << r.err;
}

} // namespace
