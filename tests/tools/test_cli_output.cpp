// SPDX-License-Identifier: GPL-3.0-or-later
// kurvanto-cli plot and where its picture goes: formats, odd targets, failed writes, names
// byte for byte, interruption.
#include <QImage>
#include <QTemporaryDir>
#include <atomic>
#include <chrono>
#include <csignal>
#include <dirent.h>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <regex>
#include <set>
#include <sys/mount.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <thread>
#include <unistd.h>

#include "clirunner.h"
#include "files.h"

namespace {

using kurvanto::testing::PathIn;
using kurvanto::testing::ReadAll;
using kurvanto::testing::Result;
using kurvanto::testing::RunCli;
using kurvanto::testing::RunOptions;
using kurvanto::testing::WriteRaw;
using Args = std::vector<std::string>;

// A build of ten million samples: several seconds, long enough to be interrupted.
const Args kLongBuild = {
    "plot",        "arcsin(x/10)*3+abs(x)^0,5-lg(abs(x)+1)+sin(x)*cos(x/2)-ln(abs(x)+2)+tg(x/7)",
    "--width",     "10000",
    "--precision", "1000"};

const std::string kBmpMagic = "BM", kPngMagic = "\x89PNG", kJpegMagic = "\xff\xd8\xff",
                  kPpmMagic = "P6";

class PlotOutput : public ::testing::Test {
  protected:
    // The names in the folder, to see that no temporary file is left behind.
    std::set<std::string> Names() const {
        std::set<std::string> names;
        if (DIR *d = opendir(dir.path().toLocal8Bit().constData())) {
            while (const dirent *entry = readdir(d))
                if (std::string(entry->d_name) != "." && std::string(entry->d_name) != "..")
                    names.insert(entry->d_name);
            closedir(d);
        }
        return names;
    }
    QTemporaryDir dir;
};

bool StartsWith(const std::string &bytes, const std::string &magic) {
    return bytes.compare(0, magic.size(), magic) == 0;
}

QImage Decode(const std::string &bytes) {
    return QImage::fromData(QByteArray::fromStdString(bytes));
}

TEST_F(PlotOutput, WritesA24BitBitmapOfTheParabola) {
    const std::string file = PathIn(dir, "p.bmp");
    const Result r = RunCli({"plot", "x^2-3", "-o", file});
    ASSERT_EQ(r.code, 0) << r.err;
    const std::string bytes = ReadAll(file);
    ASSERT_GE(bytes.size(), 30u);
    EXPECT_TRUE(StartsWith(bytes, kBmpMagic));
    EXPECT_EQ(static_cast<unsigned char>(bytes[28]), 24); // bits per pixel
    const QImage image = Decode(bytes);
    ASSERT_EQ(image.size(), QSize(640, 441));
    EXPECT_EQ(image.pixel(320, 1), qRgb(0, 0, 0));     // vertical axis
    EXPECT_EQ(image.pixel(1, 220), qRgb(0, 0, 0));     // horizontal axis
    EXPECT_EQ(image.pixel(320, 287), qRgb(0, 0, 0));   // vertex
    EXPECT_EQ(image.pixel(5, 5), qRgb(239, 239, 239)); // the button face of Qt's palette
}

TEST_F(PlotOutput, OptionsSetSizeColoursAndInterval) {
    const std::string file = PathIn(dir, "o.PNG");
    const Result r = RunCli({"plot",
                             "x",
                             "-o",
                             file,
                             "--width",
                             "200",
                             "--height",
                             "100",
                             "--axes-color",
                             "ff0000",
                             "--graph-color",
                             "0000ff",
                             "--background",
                             "00ff00",
                             "--xmin",
                             "-5",
                             "--interval",
                             "0",
                             "5",
                             "--precision",
                             "3"});
    ASSERT_EQ(r.code, 0) << r.err;
    const std::string bytes = ReadAll(file);
    EXPECT_TRUE(StartsWith(bytes, kPngMagic));
    const QImage image = Decode(bytes);
    ASSERT_EQ(image.size(), QSize(200, 101));
    EXPECT_EQ(image.pixel(2, 2), qRgb(0, 255, 0));
    const int axis = 5 * 201 / 15; // Trunc(5 / (15 / 201))
    EXPECT_EQ(image.pixel(axis, 90), qRgb(255, 0, 0));
    int blueLeftOfAxis = 0, blue = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixel(x, y) == qRgb(0, 0, 255)) {
                ++blue;
                blueLeftOfAxis += x < axis;
            }
    EXPECT_GT(blue, 20);
    EXPECT_EQ(blueLeftOfAxis, 0); // the curve only on [0, 5]
}

// Text needs the application object, a plain build does not; the picture is the same file
// either way (background colour and resolution), down to the byte.
TEST_F(PlotOutput, SameFileWithAndWithoutTheApplicationObject) {
    for (const char *name : {"a.bmp", "a.png"}) {
        const std::string plain = PathIn(dir, std::string("plain-") + name);
        const std::string text = PathIn(dir, std::string("text-") + name);
        ASSERT_EQ(RunCli({"plot", "x", "-o", plain}).code, 0);
        // A label far outside the field: nothing drawn, but fonts are set up.
        ASSERT_EQ(RunCli({"plot", "x", "--label", "1000", "1000", "a", "-o", text}).code, 0);
        EXPECT_TRUE(ReadAll(plain) == ReadAll(text)) << name;
    }
}

// A formula that begins with a minus needs no "--"; after "--" only the next argument is the
// formula, and the options go on.
TEST_F(PlotOutput, FormulasWithAMinus) {
    ASSERT_EQ(RunCli({"plot", "-x^2", "-o", PathIn(dir, "plain.bmp")}).code, 0);
    ASSERT_EQ(RunCli({"plot", "--", "-x^2", "-o", PathIn(dir, "dashes.bmp")}).code, 0);
    EXPECT_TRUE(ReadAll(PathIn(dir, "plain.bmp")) == ReadAll(PathIn(dir, "dashes.bmp")));
}

struct FormatCase {
    const char *name;
    std::string file;
    Args extra;
    std::string magic;
};

class PlotFormats : public PlotOutput, public ::testing::WithParamInterface<FormatCase> {};

TEST_P(PlotFormats, TheFormatTheNameOrOptionAsksFor) {
    const FormatCase &c = GetParam();
    Args args = {"plot", "x^2-3", "-o", PathIn(dir, c.file)};
    args.insert(args.end(), c.extra.begin(), c.extra.end());
    const Result r = RunCli(args);
    ASSERT_EQ(r.code, 0) << r.err;
    const std::string bytes = ReadAll(PathIn(dir, c.file));
    EXPECT_TRUE(StartsWith(bytes, c.magic)) << bytes.substr(0, 4);
    const QImage image = Decode(bytes);
    EXPECT_EQ(image.size(), QSize(640, 441));
    if (c.magic != kJpegMagic) { // lossless formats keep every pixel
        EXPECT_EQ(image.pixel(320, 287), qRgb(0, 0, 0));
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cli, PlotFormats,
    ::testing::Values(FormatCase{"Bmp", "a.bmp", {}, kBmpMagic},
                      FormatCase{"BmpUpperCase", "a.BMP", {}, kBmpMagic},
                      FormatCase{"Png", "a.png", {}, kPngMagic},
                      FormatCase{"Jpg", "a.jpg", {}, kJpegMagic},
                      FormatCase{"JpegMixedCase", "a.JpEg", {}, kJpegMagic},
                      FormatCase{"Ppm", "a.ppm", {}, kPpmMagic},
                      FormatCase{"NoExtension", "picture", {}, kBmpMagic},
                      FormatCase{"HiddenName", ".picture", {}, kBmpMagic},
                      FormatCase{"OptionOverTheName", "a.png", {"--format", "bmp"}, kBmpMagic},
                      FormatCase{
                          "OptionOverAnUnknownName", "a.xyz", {"--format", "JPG"}, kJpegMagic},
                      FormatCase{"OptionJpeg", "a", {"--format", "jpeg"}, kJpegMagic},
                      FormatCase{"OptionPpm", "a.bmp", {"--format", "ppm"}, kPpmMagic}),
    [](const auto &param) { return std::string(param.param.name); });

// A refused formula or a failed build: its exit code and message, and the file untouched.
struct BuildFailure {
    const char *name;
    Args args; // after "plot"
    int code;
    std::string err; // a regular expression for the whole of standard error
};

class PlotBuildFailures : public PlotOutput, public ::testing::WithParamInterface<BuildFailure> {};

TEST_P(PlotBuildFailures, ExitCodeMessageAndTheOldFileKept) {
    const BuildFailure &c = GetParam();
    const std::string file = PathIn(dir, "keep.bmp");
    WriteRaw(file, "old");
    Args args = {"plot"};
    args.insert(args.end(), c.args.begin(), c.args.end());
    args.insert(args.end(), {"-o", file});
    const Result r = RunCli(args);
    EXPECT_EQ(r.code, c.code);
    EXPECT_EQ(r.out, "");
    EXPECT_TRUE(std::regex_match(r.err, std::regex(c.err))) << r.err;
    EXPECT_EQ(ReadAll(file), "old");
    EXPECT_EQ(Names(), std::set<std::string>{"keep.bmp"});
}

const std::string kPosition = "^позиция [0-9]+: .+\n$";

INSTANTIATE_TEST_SUITE_P(
    Cli, PlotBuildFailures,
    ::testing::Values(
        BuildFailure{"ImplicitProduct", {"2x"}, 1, kPosition},
        BuildFailure{"Empty", {""}, 1, kPosition},
        BuildFailure{"TrailingText", {"x)+5"}, 1, kPosition},
        BuildFailure{"TokenInsteadOfClosing", {"(x+1 2)"}, 1, kPosition},
        BuildFailure{"TooLong", {std::string(81, '1')}, 1, "позиция 81: .*80.*\n"},
        BuildFailure{
            "Conversion", {"2,,5"}, 1, "позиция 1: '2,,5' is not a valid floating point value\n"},
        BuildFailure{"EmptyRange",
                     {"x", "--xmin", "0", "--xmax", "0"},
                     2,
                     "kurvanto-cli: --xmin 0 --xmax 0: xmin должен быть меньше xmax [(].*[)]\n"}),
    [](const auto &param) { return std::string(param.param.name); });

// A start point far beyond the field (a deep zoom's ranges) is no error: the picture is written.
TEST_F(PlotOutput, StartPointBeyondTheIntegerRangeIsWritten) {
    const Result r = RunCli({"plot", "x^2-3", "--xmin", "-1e-7", "--xmax", "1e-7", "--ymin",
                             "-1e-7", "--ymax", "1e-7", "-o", PathIn(dir, "deep.bmp")});
    ASSERT_EQ(r.code, 0) << r.err;
    EXPECT_EQ(Decode(ReadAll(PathIn(dir, "deep.bmp"))).size(), QSize(640, 441));
}

// A target that exists and is not a regular file is written in place and stays what it is;
// its name's extension chooses the format when it names one, otherwise it gets BMP.
struct FifoCase {
    const char *name;
    std::string file;
    std::string magic;
    std::size_t size; // 0: not checked
};

// A reader still waiting for a writer (the tool never opened the FIFO) gets an empty end.
void ReleaseReader(const std::string &fifo) {
    const int fd = open(fifo.c_str(), O_WRONLY | O_NONBLOCK);
    if (fd >= 0)
        close(fd);
}

class FifoTarget : public PlotOutput, public ::testing::WithParamInterface<FifoCase> {};

TEST_P(FifoTarget, AReaderGetsAWholePictureAndTheFifoStays) {
    const FifoCase &c = GetParam();
    const std::string fifo = PathIn(dir, c.file);
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    std::string received;
    std::atomic<bool> done{false};
    std::thread reader([&] {
        received = ReadAll(fifo);
        done = true;
    });
    const Result r = RunCli({"plot", "x", "-o", fifo});
    for (int i = 0; i < 500 && !done; ++i) {
        ReleaseReader(fifo);
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    reader.join();
    EXPECT_EQ(r.code, 0) << r.err;
    EXPECT_TRUE(StartsWith(received, c.magic));
    if (c.size != 0) {
        EXPECT_EQ(received.size(), c.size);
    }
    EXPECT_EQ(Decode(received).size(), QSize(640, 441));
    struct stat info {};
    ASSERT_EQ(lstat(fifo.c_str(), &info), 0);
    EXPECT_TRUE(S_ISFIFO(info.st_mode));
    EXPECT_EQ(Names(), std::set<std::string>{c.file});
}

constexpr std::size_t kBmpSize = 54 + 640 * 3 * 441; // header and whole rows

INSTANTIATE_TEST_SUITE_P(Cli, FifoTarget,
                         ::testing::Values(FifoCase{"NoExtension", "pipe", kBmpMagic, kBmpSize},
                                           FifoCase{"UnknownExtension", "pipe.out", kBmpMagic,
                                                    kBmpSize},
                                           FifoCase{"PngExtension", "pipe.png", kPngMagic, 0}),
                         [](const auto &param) { return std::string(param.param.name); });

// A FIFO nobody reads holds the writer in open(); Ctrl+C still ends it, and the FIFO stays.
TEST_F(PlotOutput, CtrlCEndsTheWaitForAFifoReader) {
    const std::string fifo = PathIn(dir, "pipe");
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    RunOptions options;
    options.interruptAfterMilliseconds = 500;
    options.deadlineSeconds = 20;
    const Result r = RunCli({"plot", "x", "-o", fifo}, options);
    EXPECT_TRUE(r.signal == SIGINT || r.code == 130) << r.signal << " " << r.code;
    struct stat info {};
    ASSERT_EQ(lstat(fifo.c_str(), &info), 0);
    EXPECT_TRUE(S_ISFIFO(info.st_mode));
    EXPECT_EQ(Names(), std::set<std::string>{"pipe"});
}

class StandardOutput : public ::testing::TestWithParam<const char *> {};

TEST_P(StandardOutput, PipedGetsABitmap) {
    const Result r = RunCli({"plot", "x", "-o", GetParam()});
    EXPECT_EQ(r.code, 0) << r.err;
    EXPECT_TRUE(StartsWith(r.out, kBmpMagic));
    EXPECT_EQ(r.out.size(), kBmpSize);
    EXPECT_EQ(Decode(r.out).size(), QSize(640, 441));
}

INSTANTIATE_TEST_SUITE_P(Cli, StandardOutput, ::testing::Values("-", "/dev/stdout"),
                         [](const auto &param) {
                             return std::string(param.param) == "-" ? "Dash" : "DevStdout";
                         });

TEST_F(PlotOutput, PngOnStandardOutputWhenAsked) {
    const Result r = RunCli({"plot", "x", "-o", "-", "--format", "png"});
    EXPECT_EQ(r.code, 0);
    EXPECT_TRUE(StartsWith(r.out, kPngMagic));
}

TEST_F(PlotOutput, ACharacterDeviceStaysADevice) {
    if (geteuid() != 0)
        GTEST_SKIP() << "making a device node needs root";
    const std::string node = PathIn(dir, "null");
    ASSERT_EQ(mknod(node.c_str(), S_IFCHR | 0666, makedev(1, 3)), 0); // as /dev/null
    const Result r = RunCli({"plot", "x", "-o", node});
    EXPECT_EQ(r.code, 0) << r.err;
    struct stat info {};
    ASSERT_EQ(lstat(node.c_str(), &info), 0);
    EXPECT_TRUE(S_ISCHR(info.st_mode));
    EXPECT_EQ(info.st_rdev, makedev(1, 3));
    EXPECT_EQ(Names(), std::set<std::string>{"null"});
}

TEST_F(PlotOutput, ASymbolicLinkIsFollowedAndStays) {
    const std::string target = PathIn(dir, "target.bmp"), link = PathIn(dir, "link.bmp");
    WriteRaw(target, "old");
    ASSERT_EQ(symlink("target.bmp", link.c_str()), 0);
    EXPECT_EQ(RunCli({"plot", "x", "-o", link}).code, 0);
    struct stat info {};
    ASSERT_EQ(lstat(link.c_str(), &info), 0);
    EXPECT_TRUE(S_ISLNK(info.st_mode));
    EXPECT_TRUE(StartsWith(ReadAll(target), kBmpMagic));
}

// Arguments are the tool's own: Qt never sees them.
TEST_F(PlotOutput, ALabelNamedLikeAQtOptionIsDrawn) {
    const std::string plain = PathIn(dir, "plain.bmp"), labelled = PathIn(dir, "label.bmp");
    ASSERT_EQ(RunCli({"plot", "x", "-o", plain}).code, 0);
    const Result r = RunCli({"plot", "x", "--label", "1", "1", "-platform", "-o", labelled});
    ASSERT_EQ(r.code, 0) << r.err;
    const QImage a(QString::fromStdString(plain)), b(QString::fromStdString(labelled));
    ASSERT_EQ(a.size(), b.size());
    // The label's top-left corner is the pixel of (1, 1): column 11 / (20 / 641) = 352,
    // row 9 / (20 / 441) = 198; its text lies to the right and below.
    int changed = 0, elsewhere = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x)
            if (a.pixel(x, y) != b.pixel(x, y)) {
                ++changed;
                elsewhere += x < 352 || x > 452 || y < 198 || y > 218;
            }
    EXPECT_GT(changed, 20);
    EXPECT_EQ(elsewhere, 0);
}

TEST_F(PlotOutput, AFileNamedLikeAQtOption) {
    RunOptions options;
    options.folder = dir.path().toStdString();
    const Result r = RunCli({"plot", "x", "-o", "-platform", "--label", "1", "1", "a"}, options);
    EXPECT_EQ(r.code, 0) << r.err;
    EXPECT_TRUE(StartsWith(ReadAll(PathIn(dir, "-platform")), kBmpMagic));
}

// A name that is not valid UTF-8 lands under exactly its own bytes, and two such names are
// two files.
TEST_F(PlotOutput, NamesByteForByte) {
    const std::string first = PathIn(dir, "n\xff.bmp"), second = PathIn(dir, "n\xfe.bmp");
    ASSERT_EQ(RunCli({"plot", "x", "-o", first}).code, 0);
    ASSERT_EQ(RunCli({"plot", "x^2", "-o", second}).code, 0);
    EXPECT_EQ(Names(), (std::set<std::string>{"n\xff.bmp", "n\xfe.bmp"}));
    EXPECT_TRUE(ReadAll(first) != ReadAll(second));
    EXPECT_TRUE(StartsWith(ReadAll(first), kBmpMagic));
}

TEST_F(PlotOutput, AReplacedFileKeepsItsPermissions) {
    for (const std::string name : {"kept.bmp", "kept\xff.bmp"}) {
        const std::string file = PathIn(dir, name);
        WriteRaw(file, "old");
        ASSERT_EQ(chmod(file.c_str(), 0640), 0);
        ASSERT_EQ(RunCli({"plot", "x", "-o", file}).code, 0);
        struct stat info {};
        ASSERT_EQ(stat(file.c_str(), &info), 0);
        EXPECT_EQ(info.st_mode & 07777, 0640u);
        EXPECT_TRUE(StartsWith(ReadAll(file), kBmpMagic));
    }
}

// A write that fails: exit 3 with the reason, nothing replaced, nothing left behind.
struct WriteFailure {
    const char *name;
    std::string file; // inside the test's folder; "/..." as it stands
    long long fileSizeLimit;
};

class PlotWriteFailures : public PlotOutput, public ::testing::WithParamInterface<WriteFailure> {};

TEST_P(PlotWriteFailures, ExitThreeAndTheOldFileStays) {
    const WriteFailure &c = GetParam();
    const std::string file = c.file[0] == '/' ? c.file : PathIn(dir, c.file);
    WriteRaw(PathIn(dir, "plain"), "a regular file");
    std::string before;
    const bool device = c.file.rfind("/dev/", 0) == 0; // never read: /dev/full has no end
    if (c.fileSizeLimit >= 0) { // an older picture of another formula is there
        ASSERT_EQ(RunCli({"plot", "x^2", "-o", file}).code, 0);
        before = ReadAll(file);
        ASSERT_FALSE(before.empty());
    }
    const std::set<std::string> names = Names();
    RunOptions options;
    options.fileSizeLimit = c.fileSizeLimit;
    const Result r = RunCli({"plot", "x", "-o", file}, options);
    EXPECT_EQ(r.code, 3) << r.err;
    EXPECT_EQ(r.signal, 0);
    EXPECT_EQ(r.err.find("Не удалось записать"), 0u) << r.err;
    if (!device) {
        EXPECT_TRUE(ReadAll(file) == before) << "the old file changed";
    }
    EXPECT_EQ(Names(), names);
}

INSTANTIATE_TEST_SUITE_P(Cli, PlotWriteFailures,
                         ::testing::Values(WriteFailure{"FolderMissing", "missing/a.bmp", -1},
                                           WriteFailure{"FolderIsAFile", "plain/a.bmp", -1},
                                           WriteFailure{"FullDevice", "/dev/full", -1},
                                           WriteFailure{"FullDiskPng", "a.png", 1000},
                                           WriteFailure{"FullDiskBmp", "a.bmp", 4096},
                                           WriteFailure{"FullDiskJpg", "a.jpg", 1000},
                                           WriteFailure{"FullDiskNameNotUtf8", "a\xff.bmp", 4096}),
                         [](const auto &param) { return std::string(param.param.name); });

// A real full disk: a 100 KiB tmpfs (root only). The older picture is replaced by nothing.
struct FullDisk {
    const char *name;
    Args before; // the older picture's command, written first; "-o" FILE appended
    std::string file;
    bool fill; // fill the rest of the disk before the new write
};

class RealFullDisk : public PlotOutput, public ::testing::WithParamInterface<FullDisk> {};

TEST_P(RealFullDisk, ExitThreeAndTheOldFileStays) {
    const FullDisk &c = GetParam();
    const std::string disk = PathIn(dir, "disk");
    ASSERT_EQ(mkdir(disk.c_str(), 0755), 0);
    if (geteuid() != 0 || mount("tmpfs", disk.c_str(), "tmpfs", 0, "size=100k") != 0)
        GTEST_SKIP() << "mounting a tmpfs needs root";
    struct Unmount {
        std::string path;
        ~Unmount() { umount(path.c_str()); }
    } unmount{disk};
    const std::string file = disk + "/" + c.file;
    Args before = c.before;
    before.insert(before.end(), {"-o", file});
    ASSERT_EQ(RunCli(before).code, 0);
    const std::string old = ReadAll(file);
    if (c.fill) { // every block the disk has left
        const int fd = open((disk + "/filler").c_str(), O_WRONLY | O_CREAT, 0644);
        const std::string block(4096, '\0');
        while (write(fd, block.data(), block.size()) > 0) {
        }
        close(fd);
    }
    const Result r = RunCli({"plot", "x", "-o", file});
    EXPECT_EQ(r.code, 3) << r.err;
    EXPECT_NE(r.err.find("Не удалось записать"), std::string::npos) << r.err;
    EXPECT_TRUE(ReadAll(file) == old) << "the old file changed";
    struct stat info {};
    EXPECT_EQ(stat(file.c_str(), &info), 0);
    EXPECT_EQ(static_cast<std::size_t>(info.st_size), old.size());
}

INSTANTIATE_TEST_SUITE_P(Cli, RealFullDisk,
                         ::testing::Values(FullDisk{"PngOverAPng", {"plot", "x^2"}, "a.png", true},
                                           FullDisk{
                                               "BmpTooLargeForTheDisk",
                                               {"plot", "x", "--width", "10", "--height", "10"},
                                               "a.bmp",
                                               false}),
                         [](const auto &param) { return std::string(param.param.name); });

TEST_F(PlotOutput, ReadOnlyFolder) {
    if (geteuid() == 0)
        GTEST_SKIP() << "root writes into a read-only folder";
    const std::string folder = PathIn(dir, "ro");
    ASSERT_EQ(mkdir(folder.c_str(), 0555), 0);
    const Result r = RunCli({"plot", "x", "-o", folder + "/a.bmp"});
    EXPECT_EQ(r.code, 3);
    chmod(folder.c_str(), 0755);
}

// Ctrl+C during a build: nothing written, an older file kept, exit 130.
class Interrupt : public PlotOutput, public ::testing::WithParamInterface<bool> {};

TEST_P(Interrupt, EndsTheBuildAndWritesNothing) {
    const bool oldFile = GetParam();
    const std::string file = PathIn(dir, "a.bmp");
    if (oldFile)
        WriteRaw(file, "old");
    Args args = kLongBuild;
    args.insert(args.end(), {"-o", file});
    RunOptions options;
    options.interruptAfterMilliseconds = 1200; // past the second after which progress shows
    const Result r = RunCli(args, options);
    if (r.code == 0)
        GTEST_SKIP() << "the build ended before the interrupt on this machine";
    EXPECT_EQ(r.code, 130) << r.err;
    EXPECT_EQ(r.err.find('%'), std::string::npos) << "progress only on a terminal";
    EXPECT_EQ(ReadAll(file), oldFile ? "old" : "");
    EXPECT_EQ(Names(), oldFile ? std::set<std::string>{"a.bmp"} : std::set<std::string>{});
}

INSTANTIATE_TEST_SUITE_P(Cli, Interrupt, ::testing::Bool(), [](const auto &param) {
    return std::string(param.param ? "OverAnOldFile" : "NoFile");
});

// A long build on a terminal shows its progress on standard error and erases it.
TEST_F(PlotOutput, ProgressOnATerminal) {
    Args args = kLongBuild;
    args.insert(args.end(), {"-o", PathIn(dir, "a.bmp")});
    RunOptions options;
    options.errorOnTerminal = true;
    options.interruptWhenSeen = "%";
    const Result r = RunCli(args, options);
    if (r.code == 0 && r.err.empty())
        GTEST_SKIP() << "the build took less than a second on this machine";
    EXPECT_EQ(r.code, 130) << r.err;
    const std::size_t percent = r.err.rfind('%');
    ASSERT_NE(percent, std::string::npos) << r.err;
    const std::size_t erased = r.err.find("\r    ", percent);
    const std::size_t message = r.err.find("Прервано");
    EXPECT_NE(erased, std::string::npos) << r.err;
    EXPECT_LT(erased, message);
    EXPECT_EQ(r.err.find("100 %"), std::string::npos) << "the build went on after Ctrl+C";
}

} // namespace
