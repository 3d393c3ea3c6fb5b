// SPDX-License-Identifier: GPL-3.0-or-later
// The new file while it is written: nothing left behind when the process is killed, names as
// long as the file system takes, the old file's access list and attributes handed on, and a
// signal that stops the write.
#include <QByteArray>
#include <QDir>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <sys/xattr.h>
#include <unistd.h>

#include "files.h"
#include "imagefile.h"
#include "replacementfile.h"

using namespace kurvanto;

namespace {

WriteResult WriteText(const QByteArray &path, const QByteArray &text) {
    return WriteFileWholeNative(path, [&](QIODevice &d) { return d.write(text) == text.size(); });
}

// Native paths, byte for byte: names that are not UTF-8 too.
QByteArray Read(const QByteArray &path) {
    return QByteArray::fromStdString(kurvanto::testing::ReadAll(path.toStdString()));
}

class Replacement : public ::testing::TestWithParam<bool> { // true: no unnamed files
  protected:
    void SetUp() override { ReplacementFile::setUnnamedFilesRefused(GetParam()); }
    void TearDown() override { ReplacementFile::setUnnamedFilesRefused(false); }
    QByteArray path(const QByteArray &name) const {
        return QFile::encodeName(dir.path()) + '/' + name;
    }
    QStringList entries() const {
        return QDir(dir.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
    }
    QTemporaryDir dir;
};

TEST_P(Replacement, NamesAsLongAsTheFileSystemTakes) {
    for (const int length : {247, 255}) {
        const QByteArray name(length, 'n');
        for (const QByteArray content : {"new", "replaced"}) { // written new, then replaced
            const WriteResult result = WriteText(path(name), content);
            EXPECT_TRUE(result.ok) << length << ": " << result.error.toStdString();
            EXPECT_EQ(Read(path(name)), content);
        }
        EXPECT_EQ(entries(), QStringList{QString::fromLatin1(name)});
        ::unlink(path(name).constData());
    }
}

// A child writes over the old file and is ended by `sig` half-way: the old file stays and
// nothing else is there. SIGKILL leaves nothing only with an unnamed file.
TEST_P(Replacement, KilledHalfWayLeavesOnlyTheOldFile) {
    const QByteArray target = path("picture.png");
    ASSERT_TRUE(WriteText(target, "old").ok);
    std::vector<int> endings = {SIGTERM, SIGHUP, SIGINT};
    if (!GetParam())
        endings.push_back(SIGKILL);
    for (const int sig : endings) {
        int ready[2];
        ASSERT_EQ(::pipe(ready), 0);
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            for (const int own : {SIGTERM, SIGHUP, SIGINT}) // as a shell may have left them
                ::signal(own, SIG_DFL);
            WriteFileWholeNative(target, [&](QIODevice &device) {
                device.write(QByteArray(200000, 'x')); // past the writer's own buffer
                (void)::write(ready[1], "w", 1);
                ::pause();
                return true;
            });
            ::_exit(0);
        }
        char byte;
        ASSERT_EQ(::read(ready[0], &byte, 1), 1);
        ::kill(child, sig);
        int status = 0;
        ::waitpid(child, &status, 0);
        ::close(ready[0]);
        ::close(ready[1]);
        EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == sig) << sig;
        EXPECT_EQ(Read(target), QByteArray("old")) << sig;
        EXPECT_EQ(entries(), QStringList{"picture.png"}) << sig;
    }
}

// With a handler of the program's own the signal stops the write, the handler hears of it
// and the process goes on.
volatile std::sig_atomic_t g_heard = 0;
extern "C" void Heard(int) {
    g_heard = 1;
}

TEST_P(Replacement, SignalWithAHandlerStopsTheWrite) {
    const QByteArray target = path("picture.png");
    ASSERT_TRUE(WriteText(target, "old").ok);
    struct sigaction own {
    }, before{};
    own.sa_handler = Heard;
    ::sigaction(SIGINT, &own, &before);
    g_heard = 0;
    const WriteResult result = WriteFileWholeNative(target, [](QIODevice &device) {
        device.write(QByteArray(100000, 'x'));
        ::raise(SIGINT);
        return device.write(QByteArray(100000, 'y')) == 100000;
    });
    struct sigaction after {};
    ::sigaction(SIGINT, &before, &after);
    EXPECT_FALSE(result.ok);
    EXPECT_EQ(result.error, QStringLiteral("запись прервана"));
    EXPECT_EQ(g_heard, 1);
    EXPECT_EQ(after.sa_handler, &Heard); // the program's handler is back
    EXPECT_EQ(Read(target), QByteArray("old"));
    EXPECT_EQ(entries(), QStringList{"picture.png"});
}

INSTANTIATE_TEST_SUITE_P(Writer, Replacement, ::testing::Bool(), [](const auto &row) {
    return std::string(row.param ? "NamedTemporary" : "UnnamedFile");
});

// The access list as getfacl shows it, without the header.
QByteArray AccessListText(const QByteArray &file) {
    FILE *list = ::popen(("getfacl -c " + file + " 2>/dev/null").constData(), "r");
    char text[512] = {};
    const size_t n = list ? std::fread(text, 1, sizeof text - 1, list) : 0;
    if (list)
        ::pclose(list);
    return QByteArray(text, int(n));
}

// The case of a private file shared with one more user through its access list: the list and
// a user.* attribute stay, and the group gains nothing.
TEST(AccessList, KeptWithItsMaskAndUserAttributes) {
    QTemporaryDir dir;
    const QByteArray file = QFile::encodeName(dir.filePath(QStringLiteral("p.png")));
    ASSERT_TRUE(WriteText(file, "old").ok);
    ASSERT_EQ(::chmod(file.constData(), 0600), 0);
    if (::setxattr(file.constData(), "user.origin", "kept", 4, 0) != 0)
        GTEST_SKIP() << "no user attributes here";
    if (std::system(("setfacl -m u:nobody:rw " + file + " 2>/dev/null").constData()) != 0)
        GTEST_SKIP() << "no setfacl or no access lists here";
    struct stat before {};
    ::stat(file.constData(), &before);
    ASSERT_TRUE(WriteText(file, "new").ok);
    struct stat after {};
    ::stat(file.constData(), &after);
    EXPECT_EQ(after.st_mode & 07777, 0660u); // the group bits show the mask
    char value[16] = {};
    EXPECT_EQ(::getxattr(file.constData(), "user.origin", value, sizeof value), 4);
    EXPECT_STREQ(value, "kept");
    EXPECT_EQ(AccessListText(file),
              "user::rw-\nuser:nobody:rw-\ngroup::---\nmask::rw-\nother::---\n\n");
    EXPECT_EQ(Read(file), QByteArray("new"));
}

// A new file in a folder with a default access list gets the list as any new file does.
TEST(AccessList, NewFileTakesTheFoldersDefault) {
    QTemporaryDir dir;
    const QByteArray folder = QFile::encodeName(dir.path());
    if (std::system(("setfacl -d -m u:nobody:rw " + folder + " 2>/dev/null").constData()) != 0)
        GTEST_SKIP() << "no setfacl or no access lists here";
    const int plain = ::open((folder + "/plain").constData(), O_WRONLY | O_CREAT, 0666);
    ASSERT_GE(plain, 0);
    ::close(plain);
    ASSERT_TRUE(WriteText(folder + "/new.png", "new").ok);
    EXPECT_EQ(AccessListText(folder + "/new.png"), AccessListText(folder + "/plain"));
    EXPECT_TRUE(AccessListText(folder + "/plain").contains("mask::rw-"));
}

} // namespace
