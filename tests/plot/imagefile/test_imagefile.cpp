// SPDX-License-Identifier: GPL-3.0-or-later
// Whole-file writes: a failed write leaves the old file byte for byte and says why; targets
// that are not plain files are written in place and stay what they are; links and
// permissions survive a replacement. No application object: the process stays single-threaded
// so that it may fork.
#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QImageWriter>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <cerrno>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <stdexcept>
#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

#include "files.h"
#include "imagefile.h"
#include "replacementfile.h"

using namespace kurvanto;
using kurvanto::testing::ReadAll;
using kurvanto::testing::WriteRaw;

namespace {

const char *const kFormats[] = {"BMP", "PNG", "JPG", "PPM"};

// A picture with some structure, so that no encoder makes it tiny.
QImage Picture(int width = 120, int height = 80) {
    QImage image(width, height, QImage::Format_RGB32);
    quint32 seed = 12345;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            seed = seed * 1103515245u + 12345u;
            image.setPixel(x, y, (x * 3 + y * 5) % 256 == 0 ? 0xffffff : (seed >> 8) & 0xffffff);
        }
    return image;
}

QByteArray Encoded(const QImage &image, const char *format) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, format);
    EXPECT_TRUE(writer.write(image)) << format;
    return bytes;
}

QStringList Entries(const QString &folder) {
    return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::System |
                                  QDir::NoDotAndDotDot);
}

mode_t TypeOf(const QString &path, bool followLinks = true) {
    struct stat info {};
    const QByteArray name = QFile::encodeName(path);
    if ((followLinks ? ::stat(name.constData(), &info) : ::lstat(name.constData(), &info)) != 0)
        return 0;
    return info.st_mode & S_IFMT;
}

mode_t PermissionsOf(const QString &path) {
    struct stat info {};
    ::stat(QFile::encodeName(path).constData(), &info);
    return info.st_mode & 07777;
}

// The reason a failure gives: the common ones in Russian, the system's text for the others.
std::string Message(int error) {
    switch (error) {
    case ENOSPC:
        return "на диске нет места";
    case EFBIG:
        return "файл слишком велик";
    case EIO:
        return "ошибка ввода-вывода";
    default:
        return std::strerror(error);
    }
}

// Everything written into the FIFO or socket end `fd` until its writers are gone.
QByteArray Drain(int fd) {
    QByteArray all;
    char chunk[65536];
    for (;;) {
        const ssize_t n = ::read(fd, chunk, sizeof chunk);
        if (n > 0)
            all.append(chunk, int(n));
        else if (n == 0 || errno != EINTR)
            return all;
    }
}

class WriteTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(dir_.isValid());
        old_umask_ = ::umask(022);
    }
    void TearDown() override {
        SetWriteFailureAfterBytes(-1);
        SetSyncFailure(0);
        ReplacementFile::setCloseFailure(0);
        ::umask(old_umask_);
    }
    QString path(const char *name) const { return dir_.filePath(QString::fromUtf8(name)); }

    QTemporaryDir dir_;
    mode_t old_umask_ = 0;
    const QByteArray old_ = QByteArrayLiteral("the old picture, which must survive");
};

// ---- A write that fails leaves the old file and says why ----

enum class FailAt { First, Second, Middle, Last };

struct SeamCase {
    const char *format;
    FailAt at;
};

class SeamTest : public WriteTest, public ::testing::WithParamInterface<SeamCase> {};

TEST_P(SeamTest, OldFileStaysAndTheReasonIsGiven) {
    const QImage image = Picture();
    const QByteArray expected = Encoded(image, GetParam().format);
    ASSERT_GT(expected.size(), 100);
    qint64 limit = 0;
    switch (GetParam().at) {
    case FailAt::First:
        limit = 0;
        break;
    case FailAt::Second:
        limit = 1;
        break;
    case FailAt::Middle:
        limit = expected.size() / 2;
        break;
    case FailAt::Last:
        limit = expected.size() - 1;
        break;
    }
    const QString target = path("picture");
    ASSERT_TRUE(WriteRaw(target, old_));
    SetWriteFailureAfterBytes(limit);
    const WriteResult result = SaveImageFile(image, target, GetParam().format);
    EXPECT_FALSE(result.ok);
    EXPECT_NE(result.error.toStdString().find(Message(ENOSPC)), std::string::npos)
        << result.error.toStdString();
    EXPECT_EQ(ReadAll(target), old_);
    EXPECT_EQ(Entries(dir_.path()), QStringList{"picture"}); // no temporary file left behind
}

// A failure the disk reports only after every byte went through, when the file is synced or
// closed, fails the save all the same: the old file stays, and the reason is given.
struct LateCase {
    const char *name;
    void (*seam)(int error);
    const char *reason;
};

class LateFailureTest : public WriteTest, public ::testing::WithParamInterface<LateCase> {};

TEST_P(LateFailureTest, OldFileStaysAndTheReasonIsGiven) {
    const QString target = path("picture");
    ASSERT_TRUE(WriteRaw(target, old_));
    GetParam().seam(EIO);
    const WriteResult result = SaveImageFile(Picture(), target, "BMP");
    EXPECT_FALSE(result.ok);
    const std::string expected = std::string(GetParam().reason) + ": " + Message(EIO);
    EXPECT_NE(result.error.toStdString().find(expected), std::string::npos)
        << result.error.toStdString();
    EXPECT_EQ(ReadAll(target), old_);
    EXPECT_EQ(Entries(dir_.path()), QStringList{"picture"});
}

INSTANTIATE_TEST_SUITE_P(
    Writer, LateFailureTest,
    ::testing::Values(LateCase{"Sync", SetSyncFailure, "ошибка сброса данных на диск"},
                      LateCase{"Close", ReplacementFile::setCloseFailure,
                               "ошибка при закрытии файла"}),
    [](const ::testing::TestParamInfo<LateCase> &row) { return row.param.name; });

class FormatTest : public WriteTest, public ::testing::WithParamInterface<const char *> {};

TEST_P(FormatTest, NewFileWhenNothingFails) {
    const QImage image = Picture();
    const QByteArray expected = Encoded(image, GetParam());
    const QString target = path("picture");
    ASSERT_TRUE(WriteRaw(target, old_));
    SetWriteFailureAfterBytes(expected.size()); // exactly enough
    const WriteResult result = SaveImageFile(image, target, GetParam());
    EXPECT_TRUE(result.ok) << result.error.toStdString();
    EXPECT_EQ(ReadAll(target), expected);
    EXPECT_EQ(Entries(dir_.path()), QStringList{"picture"});
}

INSTANTIATE_TEST_SUITE_P(EveryFormat, FormatTest, ::testing::ValuesIn(kFormats),
                         [](const ::testing::TestParamInfo<const char *> &param) {
                             return std::string(param.param);
                         });

std::vector<SeamCase> SeamCases() {
    std::vector<SeamCase> cases;
    for (const char *format : kFormats)
        for (FailAt at : {FailAt::First, FailAt::Second, FailAt::Middle, FailAt::Last})
            cases.push_back({format, at});
    return cases;
}

std::string SeamName(const ::testing::TestParamInfo<SeamCase> &param) {
    static const char *const names[] = {"AtByte0", "AtByte1", "InTheMiddle", "AtTheLastByte"};
    return std::string(param.param.format) + "_" + names[int(param.param.at)];
}

INSTANTIATE_TEST_SUITE_P(EveryFormat, SeamTest, ::testing::ValuesIn(SeamCases()), SeamName);

TEST_F(WriteTest, ProducerIgnoringAFailedWriteStillFails) {
    const QString target = path("data");
    ASSERT_TRUE(WriteRaw(target, old_));
    SetWriteFailureAfterBytes(3);
    const WriteResult result = WriteFileWhole(target, [](QIODevice &device) {
        device.write("0123456789");
        device.write("abc");
        return true; // as a writer that never looks at the results would
    });
    EXPECT_FALSE(result.ok);
    EXPECT_EQ(ReadAll(target), old_);
}

TEST_F(WriteTest, ProducerThatGivesUpLeavesTheOldFile) {
    const QString target = path("data");
    ASSERT_TRUE(WriteRaw(target, old_));
    const WriteResult result = WriteFileWhole(target, [](QIODevice &device) {
        device.write("half of it");
        return false;
    });
    EXPECT_FALSE(result.ok);
    EXPECT_FALSE(result.error.isEmpty());
    EXPECT_EQ(ReadAll(target), old_);
    EXPECT_EQ(Entries(dir_.path()), QStringList{"data"});
}

TEST_F(WriteTest, ProducerThatThrowsLeavesTheOldFile) {
    const QString target = path("data");
    ASSERT_TRUE(WriteRaw(target, old_));
    const WriteResult result = WriteFileWhole(target, [](QIODevice &device) -> bool {
        device.write("half of it");
        throw std::runtime_error("out of memory");
    });
    EXPECT_FALSE(result.ok);
    EXPECT_TRUE(result.error.contains(QLatin1String("out of memory")));
    EXPECT_EQ(ReadAll(target), old_);
    EXPECT_EQ(Entries(dir_.path()), QStringList{"data"});
}

TEST_F(WriteTest, UnknownFormatCreatesNothing) {
    const WriteResult result = SaveImageFile(Picture(), path("a.xyz"), "XYZ");
    EXPECT_FALSE(result.ok);
    EXPECT_TRUE(result.error.contains(QLatin1String("XYZ"))) << result.error.toStdString();
    EXPECT_TRUE(Entries(dir_.path()).isEmpty());
}

TEST_F(WriteTest, FolderAsTargetStaysAFolder) {
    ASSERT_TRUE(QDir(dir_.path()).mkdir(QStringLiteral("sub")));
    const WriteResult result = SaveImageFile(Picture(), path("sub"), "BMP");
    EXPECT_FALSE(result.ok);
    EXPECT_EQ(TypeOf(path("sub")), mode_t(S_IFDIR));
}

TEST_F(WriteTest, ReadOnlyFileIsNotReplaced) {
    if (::geteuid() == 0)
        GTEST_SKIP() << "the superuser may write any file";
    const QString target = path("kept");
    ASSERT_TRUE(WriteRaw(target, old_));
    ASSERT_EQ(::chmod(QFile::encodeName(target).constData(), 0444), 0);
    const WriteResult result = SaveImageFile(Picture(), target, "BMP");
    EXPECT_FALSE(result.ok);
    EXPECT_EQ(ReadAll(target), old_);
}

// ---- A real limit on the file size, in a child process ----

struct SizeLimitCase {
    const char *name;
    const char *format;
    bool ignoreSignal; // SIGXFSZ ignored, or left to its default (ending the process)
};

class SizeLimitTest : public WriteTest, public ::testing::WithParamInterface<SizeLimitCase> {};

TEST_P(SizeLimitTest, WriteFailsAndTheOldFileStays) {
    const QString target = path("picture");
    ASSERT_TRUE(WriteRaw(target, old_));
    const QImage image = Picture();
    ASSERT_GT(Encoded(image, GetParam().format).size(), 4000);
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        const rlimit limit{2000, 2000};
        ::setrlimit(RLIMIT_FSIZE, &limit);
        ::signal(SIGXFSZ, GetParam().ignoreSignal ? SIG_IGN : SIG_DFL);
        const WriteResult result = SaveImageFile(image, target, GetParam().format);
        const bool said = result.error.toStdString().find(Message(EFBIG)) != std::string::npos;
        ::_exit(result.ok ? 10 : said ? 0 : 11);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status)) << "ended by signal " << WTERMSIG(status);
    EXPECT_EQ(WEXITSTATUS(status), 0) << "10: reported success, 11: no reason given";
    EXPECT_EQ(ReadAll(target), old_);
    EXPECT_EQ(Entries(dir_.path()), QStringList{"picture"});
}

INSTANTIATE_TEST_SUITE_P(
    FileSizeLimit, SizeLimitTest,
    ::testing::Values(SizeLimitCase{"BMP", "BMP", true}, SizeLimitCase{"PNG", "PNG", true},
                      SizeLimitCase{"JPG", "JPG", true}, SizeLimitCase{"PPM", "PPM", true},
                      SizeLimitCase{"BMP_SignalNotIgnored", "BMP", false}),
    [](const ::testing::TestParamInfo<SizeLimitCase> &param) { return param.param.name; });

// ---- A real full disk: a 100 KiB memory file system, when the tests may mount one ----

TEST_F(WriteTest, FullDiskKeepsTheOldFile) {
    if (::geteuid() != 0)
        GTEST_SKIP() << "mounting needs the superuser";
    const QByteArray mountPoint = QFile::encodeName(path("full"));
    ASSERT_EQ(::mkdir(mountPoint.constData(), 0755), 0);
    if (::mount("tmpfs", mountPoint.constData(), "tmpfs", MS_NOSUID | MS_NODEV, "size=100k") != 0)
        GTEST_SKIP() << "no tmpfs here: " << Message(errno);
    struct Unmount {
        QByteArray at;
        ~Unmount() { ::umount2(at.constData(), MNT_DETACH); }
    } unmount{mountPoint};

    const QString small = path("full/a.png");
    const QByteArray oldPicture = Encoded(Picture(40, 20), "PNG");
    ASSERT_TRUE(WriteRaw(small, oldPicture));
    for (const char *format : kFormats) {
        SCOPED_TRACE(format);
        const QImage big = Picture(600, 400); // larger than the whole file system
        ASSERT_GT(Encoded(big, format).size(), 100 * 1024);
        const WriteResult result = SaveImageFile(big, small, format);
        EXPECT_FALSE(result.ok);
        EXPECT_NE(result.error.toStdString().find(Message(ENOSPC)), std::string::npos)
            << result.error.toStdString();
        EXPECT_EQ(ReadAll(small), oldPicture);
        EXPECT_EQ(Entries(path("full")), QStringList{"a.png"});
    }
    EXPECT_TRUE(SaveImageFile(Picture(30, 30), small, "PNG").ok); // what fits is written
}

// ---- Targets that are not plain files are written in place ----

// The test holds a second writer of its own until the write returned, so that a write that
// went elsewhere ends in a failed comparison, not in a reader waiting for good.
TEST_F(WriteTest, FifoIsFedAndStaysAFifo) {
    const QByteArray fifo = QFile::encodeName(path("pipe"));
    ASSERT_EQ(::mkfifo(fifo.constData(), 0600), 0);
    for (const char *format : kFormats) {
        SCOPED_TRACE(format);
        const QImage image = Picture(300, 200); // more than a pipe holds at once
        const int held = ::open(fifo.constData(), O_RDWR);
        ASSERT_GE(held, 0);
        const int fd = ::open(fifo.constData(), O_RDONLY);
        ASSERT_GE(fd, 0);
        QByteArray received;
        std::thread reader([&] {
            received = Drain(fd);
            ::close(fd);
        });
        const WriteResult result = SaveImageFile(image, path("pipe"), format);
        ::close(held);
        reader.join();
        EXPECT_TRUE(result.ok) << result.error.toStdString();
        EXPECT_EQ(received, Encoded(image, format));
        EXPECT_EQ(TypeOf(path("pipe")), mode_t(S_IFIFO));
    }
    EXPECT_EQ(Entries(dir_.path()), QStringList{"pipe"});
}

TEST_F(WriteTest, FifoWhoseReaderLeavesFailsWithoutEndingTheProcess) {
    const QByteArray fifo = QFile::encodeName(path("pipe"));
    ASSERT_EQ(::mkfifo(fifo.constData(), 0600), 0);
    const int fd = ::open(fifo.constData(), O_RDONLY | O_NONBLOCK);
    ASSERT_GE(fd, 0);
    std::thread reader([fd] {
        pollfd ready{fd, POLLIN, 0};
        if (::poll(&ready, 1, 5000) == 1) { // the writer is there: read a little, then leave
            char first;
            (void)::read(fd, &first, 1);
        }
        ::close(fd);
    });
    const WriteResult result = SaveImageFile(Picture(600, 400), path("pipe"), "BMP");
    reader.join();
    EXPECT_FALSE(result.ok);
    EXPECT_NE(result.error.toStdString().find(Message(EPIPE)), std::string::npos)
        << result.error.toStdString();
    EXPECT_EQ(TypeOf(path("pipe")), mode_t(S_IFIFO));
}

TEST_F(WriteTest, SocketIsNotReplaced) {
    const QString socketPath = path("sock");
    const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
    ASSERT_GE(fd, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    const QByteArray name = QFile::encodeName(socketPath);
    ASSERT_LT(size_t(name.size()), sizeof address.sun_path);
    std::memcpy(address.sun_path, name.constData(), size_t(name.size()));
    ASSERT_EQ(::bind(fd, reinterpret_cast<sockaddr *>(&address), sizeof address), 0);
    const WriteResult result = SaveImageFile(Picture(), socketPath, "PNG");
    ::close(fd);
    EXPECT_FALSE(result.ok);
    EXPECT_EQ(TypeOf(socketPath), mode_t(S_IFSOCK));
    EXPECT_EQ(Entries(dir_.path()), QStringList{"sock"});
}

// The null and the full device. As the superuser, nodes made here (never the machine's own
// devices, which a faulty write would replace); other users may use /dev/null and /dev/full.
TEST_F(WriteTest, CharacterDevicesStayDevices) {
    QString null = QStringLiteral("/dev/null"), full = QStringLiteral("/dev/full");
    if (::geteuid() == 0) {
        null = path("null");
        full = path("full");
        if (::mknod(QFile::encodeName(null).constData(), S_IFCHR | 0666, makedev(1, 3)) != 0 ||
            ::mknod(QFile::encodeName(full).constData(), S_IFCHR | 0666, makedev(1, 7)) != 0)
            GTEST_SKIP() << "no device nodes here: " << Message(errno);
        const int probe = ::open(QFile::encodeName(null).constData(), O_WRONLY);
        if (probe < 0)
            GTEST_SKIP() << "devices do not work in this folder: " << Message(errno);
        ::close(probe);
    }
    for (const char *format : kFormats) {
        SCOPED_TRACE(format);
        const WriteResult discarded = SaveImageFile(Picture(), null, format);
        EXPECT_TRUE(discarded.ok) << discarded.error.toStdString();
        const WriteResult refused = SaveImageFile(Picture(), full, format);
        EXPECT_FALSE(refused.ok);
        EXPECT_NE(refused.error.toStdString().find(Message(ENOSPC)), std::string::npos)
            << refused.error.toStdString();
        EXPECT_EQ(TypeOf(null), mode_t(S_IFCHR));
        EXPECT_EQ(TypeOf(full), mode_t(S_IFCHR));
    }
}

// ---- Links and permissions ----

TEST_F(WriteTest, LinkStaysAndItsFileIsReplaced) {
    ASSERT_TRUE(QDir(dir_.path()).mkdir(QStringLiteral("real")));
    const QString file = path("real/picture.png");
    ASSERT_TRUE(WriteRaw(file, old_));
    ASSERT_EQ(::chmod(QFile::encodeName(file).constData(), 0640), 0);
    // a relative link to a relative link
    ASSERT_EQ(::symlink("real/picture.png", QFile::encodeName(path("first")).constData()), 0);
    ASSERT_EQ(::symlink("first", QFile::encodeName(path("second")).constData()), 0);
    const QImage image = Picture();
    const WriteResult result = SaveImageFile(image, path("second"), "PNG");
    EXPECT_TRUE(result.ok) << result.error.toStdString();
    EXPECT_EQ(TypeOf(path("second"), false), mode_t(S_IFLNK));
    EXPECT_EQ(TypeOf(path("first"), false), mode_t(S_IFLNK));
    EXPECT_EQ(QFile::symLinkTarget(path("second")), path("first"));
    EXPECT_EQ(ReadAll(file), Encoded(image, "PNG"));
    EXPECT_EQ(PermissionsOf(file), mode_t(0640));
    EXPECT_EQ(Entries(path("real")), QStringList{"picture.png"});
}

TEST_F(WriteTest, DanglingLinkCreatesTheFileItNames) {
    ASSERT_EQ(::symlink("made.bmp", QFile::encodeName(path("link")).constData()), 0);
    const QImage image = Picture();
    const WriteResult result = SaveImageFile(image, path("link"), "BMP");
    EXPECT_TRUE(result.ok) << result.error.toStdString();
    EXPECT_EQ(TypeOf(path("link"), false), mode_t(S_IFLNK));
    EXPECT_EQ(ReadAll(path("made.bmp")), Encoded(image, "BMP"));
}

class PermissionTest : public WriteTest, public ::testing::WithParamInterface<mode_t> {};

TEST_P(PermissionTest, ReplacedFileKeepsItsPermissions) {
    const QString target = path("picture.bmp");
    ASSERT_TRUE(WriteRaw(target, old_));
    ASSERT_EQ(::chmod(QFile::encodeName(target).constData(), GetParam()), 0);
    const WriteResult result = SaveImageFile(Picture(), target, "BMP");
    EXPECT_TRUE(result.ok) << result.error.toStdString();
    EXPECT_EQ(PermissionsOf(target), GetParam());
    EXPECT_EQ(ReadAll(target).left(2), QByteArray("BM"));
}

std::string ModeName(const ::testing::TestParamInfo<mode_t> &param) {
    return "Mode" + QByteArray::number(uint(param.param), 8).rightJustified(4, '0').toStdString();
}

INSTANTIATE_TEST_SUITE_P(Modes, PermissionTest, ::testing::Values(0640, 0600, 0604, 0755),
                         ModeName);

TEST_F(WriteTest, NewFileFollowsTheUmask) {
    const QString target = path("new.bmp");
    ASSERT_TRUE(SaveImageFile(Picture(), target, "BMP").ok);
    EXPECT_EQ(PermissionsOf(target), mode_t(0644));
}

// A name that is not valid UTF-8 is written under exactly its bytes; two such names stay two
// files (through QString both would become the same U+FFFD name).
TEST_F(WriteTest, NameBytesAreKept) {
    const QByteArray folder = QFile::encodeName(dir_.path());
    const QByteArray first = folder + "/\xff.bmp", second = folder + "/\xfe.bmp";
    const QImage image = Picture();
    ASSERT_TRUE(SaveImageFileNative(image, first, "BMP").ok);
    ASSERT_TRUE(SaveImageFileNative(Picture(10, 10), second, "BMP").ok);
    EXPECT_TRUE(WriteFileWholeNative(folder + "/\xfd", [](QIODevice &device) {
                    return device.write("x") == 1;
                }).ok);
    const auto read = [](const QByteArray &name) {
        const int fd = ::open(name.constData(), O_RDONLY);
        const QByteArray all = fd >= 0 ? Drain(fd) : QByteArray();
        ::close(fd);
        return all;
    };
    EXPECT_EQ(read(first), Encoded(image, "BMP"));
    EXPECT_EQ(read(second), Encoded(Picture(10, 10), "BMP"));
    EXPECT_EQ(read(folder + "/\xfd"), QByteArray("x"));
    for (const QByteArray &name : {first, second, folder + "/\xfd"}) // QDir cannot name them
        ::unlink(name.constData());
    EXPECT_TRUE(Entries(dir_.path()).isEmpty());
}

// ---- Onto an open descriptor ----

TEST_F(WriteTest, DescriptorsOfEveryKind) {
    const QImage image = Picture(300, 200);
    const QByteArray expected = Encoded(image, "PNG");
    {
        SCOPED_TRACE("socket pair");
        int ends[2];
        ASSERT_EQ(::socketpair(AF_UNIX, SOCK_STREAM, 0, ends), 0);
        QByteArray received;
        std::thread reader([&] { received = Drain(ends[1]); });
        const WriteResult result = WriteImageToDescriptor(image, ends[0], "PNG");
        ::shutdown(ends[0], SHUT_WR);
        reader.join();
        EXPECT_TRUE(result.ok) << result.error.toStdString();
        EXPECT_EQ(received, expected);
        EXPECT_NE(::fcntl(ends[0], F_GETFD), -1); // still open: the caller's to close
        ::close(ends[0]);
        ::close(ends[1]);
    }
    {
        SCOPED_TRACE("regular file");
        const int fd = ::open(QFile::encodeName(path("out.png")).constData(),
                              O_WRONLY | O_CREAT | O_TRUNC, 0644);
        ASSERT_GE(fd, 0);
        const WriteResult result = WriteImageToDescriptor(image, fd, "PNG");
        ::close(fd);
        EXPECT_TRUE(result.ok) << result.error.toStdString();
        EXPECT_EQ(ReadAll(path("out.png")), expected);
    }
    {
        SCOPED_TRACE("full disk");
        const int fd = ::open(QFile::encodeName(path("cut.png")).constData(),
                              O_WRONLY | O_CREAT | O_TRUNC, 0644);
        ASSERT_GE(fd, 0);
        SetWriteFailureAfterBytes(expected.size() - 1);
        const WriteResult result = WriteImageToDescriptor(image, fd, "PNG");
        SetWriteFailureAfterBytes(-1);
        ::close(fd);
        EXPECT_FALSE(result.ok);
        EXPECT_NE(result.error.toStdString().find(Message(ENOSPC)), std::string::npos);
    }
}

} // namespace
