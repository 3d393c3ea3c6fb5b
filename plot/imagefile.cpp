// SPDX-License-Identifier: GPL-3.0-or-later
#include "imagefile.h"

#include "bmpwriter.h"
#include "fileattributes.h"
#include "filereason.h"
#include "replacementfile.h"

#include <QByteArray>
#include <QFile>
#include <QIODevice>
#include <QImage>
#include <QImageWriter>
#include <algorithm>
#include <atomic>
#include <cerrno>
#include <climits>
#include <csignal>
#include <exception>
#include <fcntl.h>
#include <pthread.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace kurvanto {

namespace {

std::atomic<qint64> g_failAfterBytes{-1};
std::atomic<int> g_syncError{0};

QString Reason(int error) {
    return SystemReason(error);
}

WriteResult Failure(const QString &error) {
    return WriteResult{false, error};
}

// A write-only device onto a file descriptor. What the producer hands over is gathered into
// blocks of 64 KiB, so an encoder that writes a scan line at a time costs a few system calls,
// not hundreds; finish() writes the last block. The first failure is kept and decides the
// result, whatever the producer makes of the writes after it.
class DescriptorDevice : public QIODevice {
  public:
    // A write stops with ECANCELED once `stop` says the program was interrupted.
    explicit DescriptorDevice(int fd, const WriteSignals *stop = nullptr)
        : fd_(fd), limit_(g_failAfterBytes.load()), stop_(stop) {
        buffer_.reserve(kBlock);
        open(QIODevice::WriteOnly | QIODevice::Unbuffered);
    }
    bool isSequential() const override { return true; }
    // Writes what is still gathered; false when anything failed.
    bool finish() {
        if (errno_ == 0 && !buffer_.empty())
            writeOut(buffer_.data(), qint64(buffer_.size()));
        buffer_.clear();
        return errno_ == 0;
    }
    bool failed() const { return errno_ != 0; }
    int error() const { return errno_; }

  protected:
    qint64 readData(char *, qint64) override { return -1; }
    // Once a write failed, the rest is taken and dropped: the failure is on record and decides
    // the result, and an encoder that stopped half-way would leave its buffers behind (Qt's
    // BMP writer does).
    qint64 writeData(const char *data, qint64 length) override {
        if (errno_ == 0 && stop_ && stop_->interrupted())
            fail(ECANCELED);
        if (errno_ == ECANCELED)
            return -1; // the encoder gives up at once instead of encoding the rest for nothing
        if (errno_ != 0)
            return length;
        if (qint64(buffer_.size()) + length > kBlock) {
            finish();
            if (length >= kBlock || errno_ != 0) {
                if (errno_ == 0)
                    writeOut(data, length);
                return length;
            }
        }
        buffer_.insert(buffer_.end(), data, data + length);
        return length;
    }

  private:
    static constexpr qint64 kBlock = 64 * 1024;

    bool writeOut(const char *data, qint64 length) {
        qint64 done = 0;
        while (done < length) {
            qint64 chunk = length - done;
            if (limit_ >= 0 && written_ + chunk > limit_)
                chunk = limit_ - written_; // what still fits before the simulated full disk
            if (chunk <= 0)
                return fail(ENOSPC);
            const ssize_t n = ::write(fd_, data + done, size_t(std::min<qint64>(chunk, SSIZE_MAX)));
            if (n < 0) {
                if (errno == EINTR)
                    continue;
                return fail(errno);
            }
            if (n == 0)
                return fail(EIO);
            done += n;
            written_ += n;
        }
        return true;
    }
    bool fail(int error) {
        errno_ = error;
        setErrorString(Reason(error));
        return false;
    }

    int fd_;
    qint64 limit_;
    qint64 written_ = 0;
    const WriteSignals *stop_;
    int errno_ = 0;
    std::vector<char> buffer_;
};

// While a write runs, a closed pipe (SIGPIPE) or the file size limit (SIGXFSZ) must end the
// write with an error, not the process: both signals are blocked on this thread, and whatever
// the writes raised is taken off again before the old mask comes back.
class QuietWriteSignals {
  public:
    QuietWriteSignals() {
        sigemptyset(&set_);
        sigset_t pending;
        sigemptyset(&pending);
        sigpending(&pending);
        for (int sig : {SIGPIPE, SIGXFSZ})
            if (!sigismember(&pending, sig))
                sigaddset(&set_, sig); // a signal already pending is not ours to take
        pthread_sigmask(SIG_BLOCK, &set_, &old_);
    }
    ~QuietWriteSignals() {
        const timespec now{0, 0};
        while (sigtimedwait(&set_, nullptr, &now) > 0) {
        }
        pthread_sigmask(SIG_SETMASK, &old_, nullptr);
    }
    QuietWriteSignals(const QuietWriteSignals &) = delete;
    QuietWriteSignals &operator=(const QuietWriteSignals &) = delete;

  private:
    sigset_t set_;
    sigset_t old_;
};

// Runs the producer on the descriptor and tells what went wrong, if anything.
WriteResult Produce(int fd, const std::function<bool(QIODevice &)> &produce,
                    const QString &producerFailure, const WriteSignals *stop = nullptr) {
    DescriptorDevice device(fd, stop);
    bool produced = false;
    try { // the caller's temporary file must not outlive an escaping error
        produced = produce(device);
    } catch (const std::exception &error) {
        return Failure(QStringLiteral("не удалось подготовить содержимое файла: %1")
                           .arg(QString::fromLocal8Bit(error.what())));
    }
    if (produced)
        device.finish();
    if (device.error() == ECANCELED || (stop && stop->interrupted()))
        return Failure(QStringLiteral("запись прервана"));
    if (device.failed())
        return Failure(QStringLiteral("ошибка записи: %1").arg(Reason(device.error())));
    if (!produced)
        return Failure(producerFailure);
    return {};
}

// Syncs what was written to the disk; a descriptor that cannot be synced (a pipe, a terminal)
// has nothing of ours left to lose.
int FsyncReporting(int fd) {
    const int synced = ::fsync(fd);
    const int injected = g_syncError.load();
    if (synced == 0 && injected != 0) {
        errno = injected;
        return -1;
    }
    return synced;
}

WriteResult Sync(int fd) {
    while (FsyncReporting(fd) != 0) {
        if (errno == EINTR)
            continue;
        if (errno == EINVAL || errno == EROFS || errno == ENOTSUP)
            return {};
        return Failure(QStringLiteral("ошибка сброса данных на диск: %1").arg(Reason(errno)));
    }
    return {};
}

WriteResult Close(int fd) {
    // Linux releases the descriptor even when close reports an error: never retry it.
    if (::close(fd) != 0 && errno != EINTR)
        return Failure(QStringLiteral("ошибка при закрытии файла: %1").arg(Reason(errno)));
    return {};
}

QByteArray FolderOf(const QByteArray &path) {
    const int slash = path.lastIndexOf('/');
    if (slash < 0)
        return QByteArrayLiteral(".");
    if (slash == 0)
        return QByteArrayLiteral("/");
    return path.left(slash);
}

// Where a symbolic link finally points, also when that file does not exist yet (a dangling
// link names the file to create). Returns an empty name and sets `error` on a loop.
QByteArray FollowLinks(QByteArray path, int &error) {
    for (int hops = 0; hops < 40; ++hops) {
        struct stat link;
        if (::lstat(path.constData(), &link) != 0 || !S_ISLNK(link.st_mode))
            return path;
        QByteArray target(PATH_MAX, '\0');
        const ssize_t n = ::readlink(path.constData(), target.data(), size_t(target.size()));
        if (n < 0 || n >= target.size()) {
            error = n < 0 ? errno : ENAMETOOLONG;
            return {};
        }
        target.truncate(int(n));
        path = target.startsWith('/') ? target : FolderOf(path) + '/' + target;
    }
    error = ELOOP;
    return {};
}

WriteResult WriteInPlace(const QByteArray &path, const QString &shown,
                         const std::function<bool(QIODevice &)> &produce,
                         const QString &producerFailure) {
    int fd;
    do {
        fd = ::open(path.constData(), O_WRONLY | O_CLOEXEC | O_NOCTTY);
    } while (fd < 0 && errno == EINTR);
    if (fd < 0)
        return Failure(
            QStringLiteral("не удалось открыть «%1» для записи: %2").arg(shown, Reason(errno)));
    struct stat info;
    const bool syncable = ::fstat(fd, &info) == 0 && S_ISBLK(info.st_mode);
    WriteResult result = Produce(fd, produce, producerFailure);
    if (result.ok && syncable)
        result = Sync(fd);
    const WriteResult closed = Close(fd);
    return result.ok ? closed : result;
}

// The new content goes into a file of its own in the target's folder, which takes the old
// file's place only when the content, the sync and the hand-over of the old file's attributes
// all went through.
WriteResult WriteReplacing(const QByteArray &target, const struct stat *old, const QString &shown,
                           const std::function<bool(QIODevice &)> &produce,
                           const QString &producerFailure) {
    if (old && ::access(target.constData(), W_OK) != 0)
        return Failure(QStringLiteral("файл «%1» защищён от записи: %2").arg(shown, Reason(errno)));
    const WriteSignals stop;
    ReplacementFile file;
    // A new file is made as open(O_CREAT, 0666) makes one, the folder's default access list
    // included: it cannot be opened by anyone before it has a name.
    if (!file.open(FolderOf(target), old ? 0600 : 0666))
        return Failure(QStringLiteral("не удалось создать временный файл рядом с «%1»: %2")
                           .arg(shown, Reason(errno)));
    QString why;
    if (old ? !CarryOverAttributes(file.descriptor(), target, *old, why)
            : file.named() && ::fchmod(file.descriptor(), NewFileMode()) != 0) {
        if (!old)
            why = QStringLiteral("не удалось задать права доступа: %1").arg(Reason(errno));
        return Failure(why);
    }
    WriteResult result = Produce(file.descriptor(), produce, producerFailure, &stop);
    // The content is synced before the rename, so a failure the disk reports late is still
    // caught while the old file stands. The folder is not synced after the rename: a crash
    // then leaves the old file or the new one, each whole, and a save costs one sync less.
    if (result.ok)
        result = Sync(file.descriptor());
    if (result.ok && stop.interrupted())
        result = Failure(QStringLiteral("запись прервана"));
    if (!result.ok || file.replace(target))
        return result;
    switch (file.failedStep()) {
    case ReplacementFile::Step::Close:
        return Failure(QStringLiteral("ошибка при закрытии файла: %1").arg(Reason(errno)));
    case ReplacementFile::Step::Name:
        return Failure(QStringLiteral("не удалось дать имя новому файлу рядом с «%1»: %2")
                           .arg(shown, Reason(errno)));
    default:
        return Failure(
            QStringLiteral("не удалось заменить файл «%1»: %2").arg(shown, Reason(errno)));
    }
}

WriteResult WriteFile(const QByteArray &name, const std::function<bool(QIODevice &)> &produce,
                      const QString &producerFailure) {
    if (name.isEmpty())
        return Failure(QStringLiteral("не указано имя файла"));
    const QString path = OneLine(QFile::decodeName(name)); // only to be shown
    QuietWriteSignals quiet;
    struct stat info;
    if (::stat(name.constData(), &info) == 0) {
        if (!S_ISREG(info.st_mode))
            return WriteInPlace(name, path, produce, producerFailure);
        // A regular file, perhaps behind links: the file itself is replaced.
        char resolved[PATH_MAX];
        if (!::realpath(name.constData(), resolved))
            return Failure(
                QStringLiteral("не удалось найти файл «%1»: %2").arg(path, Reason(errno)));
        return WriteReplacing(QByteArray(resolved), &info, path, produce, producerFailure);
    }
    if (errno != ENOENT)
        return Failure(QStringLiteral("не удалось открыть «%1»: %2").arg(path, Reason(errno)));
    int error = 0;
    const QByteArray target = FollowLinks(name, error);
    if (target.isEmpty())
        return Failure(QStringLiteral("не удалось открыть «%1»: %2").arg(path, Reason(error)));
    return WriteReplacing(target, nullptr, path, produce, producerFailure);
}

WriteResult WriteDescriptor(int fd, const std::function<bool(QIODevice &)> &produce,
                            const QString &producerFailure) {
    QuietWriteSignals quiet;
    struct stat info;
    if (::fstat(fd, &info) != 0)
        return Failure(QStringLiteral("ошибка записи: %1").arg(Reason(errno)));
    WriteResult result = Produce(fd, produce, producerFailure);
    if (result.ok && (S_ISREG(info.st_mode) || S_ISBLK(info.st_mode)))
        result = Sync(fd);
    return result;
}

const QString kNotProduced = QStringLiteral("не удалось подготовить содержимое файла");

// Checks the picture and the format before anything is opened, and encodes into the device.
bool CanEncode(const QImage &image, const char *format, QString &reason) {
    if (image.isNull()) { // a picture that could not be made: say so, not "Image is empty"
        reason = QStringLiteral("рисунок пуст: его не удалось создать");
        return false;
    }
    const QByteArray wanted = QByteArray(format).toLower();
    // Qt's own writers need no look at the plug-ins (which loads every one of them).
    static const QByteArray builtIn[] = {"bmp", "png", "ppm", "pgm", "pbm"};
    if (std::find(std::begin(builtIn), std::end(builtIn), wanted) != std::end(builtIn))
        return true;
    if (QImageWriter::supportedImageFormats().contains(wanted))
        return true;
    reason = QStringLiteral("формат %1 не поддерживается").arg(QString::fromLatin1(format));
    return false;
}

std::function<bool(QIODevice &)> Encoder(const QImage &image, const char *format, QString &reason) {
    return [&image, format, &reason](QIODevice &device) {
        if (WritesAsBmp(image, format))
            return WriteBmp(image, device); // Qt's writer would load every plug-in first
        QImageWriter writer(&device, format);
        if (writer.write(image))
            return true;
        reason = writer.errorString();
        return false;
    };
}

QString EncodeFailure(const char *format, const QString &reason) {
    return QStringLiteral("рисунок не удалось записать в формате %1: %2")
        .arg(QString::fromLatin1(format), reason);
}

} // namespace

WriteResult WriteFileWhole(const QString &path, const std::function<bool(QIODevice &)> &produce) {
    return WriteFile(QFile::encodeName(path), produce, kNotProduced);
}

WriteResult WriteFileWholeNative(const QByteArray &path,
                                 const std::function<bool(QIODevice &)> &produce) {
    return WriteFile(path, produce, kNotProduced);
}

WriteResult WriteToDescriptor(int fd, const std::function<bool(QIODevice &)> &produce) {
    return WriteDescriptor(fd, produce, kNotProduced);
}

WriteResult SaveImageFile(const QImage &image, const QString &path, const char *format) {
    return SaveImageFileNative(image, QFile::encodeName(path), format);
}

WriteResult SaveImageFileNative(const QImage &image, const QByteArray &path, const char *format) {
    QString reason;
    if (!CanEncode(image, format, reason))
        return Failure(reason);
    WriteResult result = WriteFile(path, Encoder(image, format, reason), QString());
    if (!result.ok && result.error.isEmpty())
        result.error = EncodeFailure(format, reason);
    return result;
}

WriteResult WriteImageToDescriptor(const QImage &image, int fd, const char *format) {
    QString reason;
    if (!CanEncode(image, format, reason))
        return Failure(reason);
    WriteResult result = WriteDescriptor(fd, Encoder(image, format, reason), QString());
    if (!result.ok && result.error.isEmpty())
        result.error = EncodeFailure(format, reason);
    return result;
}

void SetSyncFailure(int error) {
    g_syncError.store(error);
}

void SetWriteFailureAfterBytes(qint64 bytes) {
    g_failAfterBytes.store(bytes < 0 ? -1 : bytes);
}

} // namespace kurvanto
