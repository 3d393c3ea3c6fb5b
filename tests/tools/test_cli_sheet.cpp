// SPDX-License-Identifier: GPL-3.0-or-later
// kurvanto-cli plot --sheet and --save-sheet: a worksheet written by the tool draws the same
// picture again, the command line's options override it wherever they stand, and a bad
// worksheet is refused with exit 1 and writes nothing.
#include <QImage>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "clirunner.h"
#include "files.h"

namespace {

using kurvanto::testing::PathIn;
using kurvanto::testing::ReadAll;
using kurvanto::testing::Result;
using kurvanto::testing::RunCli;
using Args = std::vector<std::string>;

class PlotSheet : public ::testing::Test {
  protected:
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
        Args first = {
            "plot", "1/x", "-o", PathIn(dir, "a.png"), "--save-sheet", PathIn(dir, "a.kurv")};
        first.insert(first.end(), marks.begin(), marks.end());
        first.insert(first.end(), extra.begin(), extra.end());
        run(first);
        run({"plot", "--sheet", PathIn(dir, "a.kurv"), "-o", PathIn(dir, "b.png"), "--save-sheet",
             PathIn(dir, "b.kurv")});
        EXPECT_EQ(ReadAll(PathIn(dir, "a.png")), ReadAll(PathIn(dir, "b.png"))) << extra.size();
        EXPECT_EQ(ReadAll(PathIn(dir, "a.kurv")), ReadAll(PathIn(dir, "b.kurv"))) << extra.size();
    }
}

TEST_F(PlotSheet, OptionsOverrideTheSheetAndFormulasComeAfterIt) {
    run({"plot", "x^2", "--grid", "-o", PathIn(dir, "a.png"), "--save-sheet",
         PathIn(dir, "a.kurv")});
    // Given before the sheet or after it, the size is the command line's.
    run({"plot", "--width", "100", "--sheet", PathIn(dir, "a.kurv"), "--height", "50", "-o",
         PathIn(dir, "b.png")});
    EXPECT_EQ(QImage(dir.filePath("b.png")).size(), QSize(100, 51));
    run({"plot", "--sheet", PathIn(dir, "a.kurv"), "x", "--graph-color", "ff0000", "-o",
         PathIn(dir, "c.png")});
    run({"plot", "x^2", "--grid", "--also", "x", "--graph-color", "ff0000", "-o",
         PathIn(dir, "d.png")});
    EXPECT_EQ(ReadAll(PathIn(dir, "c.png")), ReadAll(PathIn(dir, "d.png")));
}

TEST_F(PlotSheet, ABadSheetExitsOneWithItsMessageAndWritesNothing) {
    kurvanto::testing::WriteRaw(PathIn(dir, "bad.kurv"),
                                "{\"format\": \"kurvanto-worksheet\", \"version\": 7}");
    const Result r =
        RunCli({"plot", "--sheet", PathIn(dir, "bad.kurv"), "x", "-o", PathIn(dir, "out.png")});
    EXPECT_EQ(r.code, 1);
    EXPECT_EQ(r.err, "Лист «" + PathIn(dir, "bad.kurv") +
                         "»: лист версии 7, а программа читает листы до "
                         "версии 1\n");
    EXPECT_TRUE(ReadAll(PathIn(dir, "out.png")).empty());
}

} // namespace
