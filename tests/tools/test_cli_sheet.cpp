// SPDX-License-Identifier: GPL-3.0-or-later
// kurvanto-cli plot --sheet and --save-sheet: a worksheet written by the tool draws the same
// picture again, the command line's options override it wherever they stand, and a bad
// worksheet is refused with exit 1 and writes nothing.
#include <QImage>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "cli_runner.h"

namespace {

using clitest::ReadFile;
using clitest::Result;
using clitest::RunCli;
using Args = std::vector<std::string>;

class PlotSheet : public ::testing::Test {
  protected:
    std::string path(const char *name) const { return dir.filePath(name).toStdString(); }
    void run(Args args) {
        const Result r = RunCli(args);
        ASSERT_EQ(r.code, 0) << r.err;
    }
    QTemporaryDir dir;
};

TEST_F(PlotSheet, ASavedSheetDrawsTheSamePictureAndSheetAgain) {
    const Args marks = {"--also", "x^3",           "--graph-color", "00ff00",  "--tick", "1",
                        "2",      "--corner",      "1.5",           "--label", "2",      "3",
                        "abc",    "--label-color", "ff0000",        "--label", "-5",     "-5",
                        "q"};
    for (const Args &extra :
         {Args{}, Args{"--breaks"}, Args{"--grid", "--legend"}, Args{"--interval", "-2", "3"}}) {
        Args first = {"plot", "1/x", "-o", path("a.png"), "--save-sheet", path("a.kurv")};
        first.insert(first.end(), marks.begin(), marks.end());
        first.insert(first.end(), extra.begin(), extra.end());
        run(first);
        run({"plot", "--sheet", path("a.kurv"), "-o", path("b.png"), "--save-sheet",
             path("b.kurv")});
        EXPECT_EQ(ReadFile(path("a.png")), ReadFile(path("b.png"))) << extra.size();
        EXPECT_EQ(ReadFile(path("a.kurv")), ReadFile(path("b.kurv"))) << extra.size();
    }
}

TEST_F(PlotSheet, OptionsOverrideTheSheetAndFormulasComeAfterIt) {
    run({"plot", "x^2", "--grid", "-o", path("a.png"), "--save-sheet", path("a.kurv")});
    // Given before the sheet or after it, the size is the command line's.
    run({"plot", "--width", "100", "--sheet", path("a.kurv"), "--height", "50", "-o",
         path("b.png")});
    EXPECT_EQ(QImage(dir.filePath("b.png")).size(), QSize(100, 51));
    run({"plot", "--sheet", path("a.kurv"), "x", "--graph-color", "ff0000", "-o", path("c.png")});
    run({"plot", "x^2", "--grid", "--also", "x", "--graph-color", "ff0000", "-o", path("d.png")});
    EXPECT_EQ(ReadFile(path("c.png")), ReadFile(path("d.png")));
}

TEST_F(PlotSheet, ABadSheetExitsOneWithItsMessageAndWritesNothing) {
    clitest::WriteFile(path("bad.kurv"), "{\"format\": \"kurvanto-worksheet\", \"version\": 7}");
    const Result r = RunCli({"plot", "--sheet", path("bad.kurv"), "x", "-o", path("out.png")});
    EXPECT_EQ(r.code, 1);
    EXPECT_EQ(r.err, "Лист «" + path("bad.kurv") +
                         "»: лист версии 7, а программа читает листы до "
                         "версии 1\n");
    EXPECT_TRUE(ReadFile(path("out.png")).empty());
}

} // namespace
