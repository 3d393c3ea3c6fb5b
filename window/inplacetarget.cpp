// SPDX-License-Identifier: GPL-3.0-or-later
#include "inplacetarget.h"

#include <QFile>
#include <QPointer>
#include <QProgressDialog>
#include <QTimer>
#include <atomic>
#include <cerrno>
#include <chrono>
#include <csignal>
#include <fcntl.h>
#include <poll.h>
#include <sys/eventfd.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

#include "filereason.h"
#include "uiseam.h"

namespace kurvanto {

namespace {

constexpr int kQuietMilliseconds = 300; // a write done by then shows no progress

WriteResult Failed(const QString &why) {
    WriteResult failed;
    failed.ok = false;
    failed.error = why;
    return failed;
}

// Writes the bytes on a thread of its own onto a descriptor opened without blocking; waits
// for room with poll(), together with the cancel event, so that "Отмена" ends it at once.
class InPlaceWriter {
  public:
    InPlaceWriter(int fd, const QByteArray &bytes)
        : fd_(fd), bytes_(bytes), cancel_(::eventfd(0, EFD_CLOEXEC)), thread_([this] { run(); }) {}
    ~InPlaceWriter() {
        join();
        if (cancel_ >= 0)
            ::close(cancel_);
    }
    InPlaceWriter(const InPlaceWriter &) = delete;
    InPlaceWriter &operator=(const InPlaceWriter &) = delete;

    void cancel() {
        const uint64_t one = 1;
        if (cancel_ >= 0)
            (void)::write(cancel_, &one, sizeof one);
    }
    bool finished() const { return finished_.load(); }
    qint64 written() const { return written_.load(); }
    // Cancels what is not done yet and waits for the thread: 0 when everything went out,
    // ECANCELED when cancelled, otherwise the write's errno.
    int join() {
        if (thread_.joinable()) {
            cancel();
            thread_.join();
        }
        return error_;
    }

  private:
    void run() {
        // A reader that leaves must fail the write, not end the program.
        sigset_t pipe;
        sigemptyset(&pipe);
        sigaddset(&pipe, SIGPIPE);
        pthread_sigmask(SIG_BLOCK, &pipe, nullptr);
        error_ = writeAll();
        const timespec now{0, 0};
        while (sigtimedwait(&pipe, nullptr, &now) > 0) {
        }
        finished_.store(true);
    }
    int writeAll() {
        while (written_.load() < bytes_.size()) {
            const qint64 done = written_.load();
            const ssize_t n = ::write(fd_, bytes_.constData() + done, size_t(bytes_.size() - done));
            if (n > 0) {
                written_.store(done + n);
                continue;
            }
            if (n < 0 && errno == EINTR)
                continue;
            if (n == 0 || (errno != EAGAIN && errno != EWOULDBLOCK))
                return n == 0 ? EIO : errno;
            pollfd wait[2] = {{fd_, POLLOUT, 0}, {cancel_, POLLIN, 0}};
            if (::poll(wait, 2, -1) < 0 && errno != EINTR)
                return errno;
            if (wait[1].revents & POLLIN)
                return ECANCELED;
        }
        return 0;
    }

    int fd_;
    const QByteArray &bytes_;
    int cancel_;
    std::atomic<qint64> written_{0};
    std::atomic<bool> finished_{false};
    int error_ = 0;
    std::thread thread_; // last: starts once everything above is set
};

// Shows the progress until the writer finishes or "Отмена" is pressed.
void ShowProgress(QWidget *parent, const QString &shown, InPlaceWriter &writer, qint64 size) {
    QProgressDialog progress(QStringLiteral("Запись в «%1»...").arg(shown),
                             QStringLiteral("Отмена"), 0, 1000, parent);
    progress.setWindowTitle(QStringLiteral("Сохранение графика"));
    progress.setMinimumDuration(0);
    progress.setAutoClose(false);
    progress.setAutoReset(false);
    QTimer poll;
    QPointer<QProgressDialog> dialog(&progress);
    QObject::connect(&poll, &QTimer::timeout, &progress, [&writer, dialog, size] {
        if (!dialog)
            return;
        dialog->setValue(size > 0 ? int(writer.written() * 1000 / size) : 0);
        if (writer.finished())
            dialog->accept();
    });
    poll.start(50);
    if (ExecDialog(progress) != QDialog::Accepted && !writer.finished())
        writer.cancel();
}

} // namespace

bool IsInPlaceTarget(const QString &fileName) {
    struct stat info {};
    return ::stat(QFile::encodeName(fileName).constData(), &info) == 0 && !S_ISREG(info.st_mode);
}

WriteResult WriteInPlaceTarget(QWidget *parent, const QString &fileName, const QByteArray &bytes) {
    const QByteArray name = QFile::encodeName(fileName);
    const QString shown = OneLine(fileName);
    const int fd = ::open(name.constData(), O_WRONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (fd < 0) {
        struct stat info {};
        if (errno == ENXIO && ::stat(name.constData(), &info) == 0 && S_ISFIFO(info.st_mode))
            return Failed(QStringLiteral("у канала нет читателя"));
        return Failed(QStringLiteral("не удалось открыть «%1» для записи: %2")
                          .arg(shown, SystemReason(errno)));
    }
    InPlaceWriter writer(fd, bytes);
    for (int waited = 0; waited < kQuietMilliseconds && !writer.finished(); waited += 10)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    if (!writer.finished())
        ShowProgress(parent, shown, writer, bytes.size());
    const int error = writer.join(); // a progress closed with "Отмена" ends the write here
    const bool closed = ::close(fd) == 0 || errno == EINTR;
    if (error == ECANCELED)
        return Failed(QStringLiteral("запись отменена"));
    if (error != 0 || !closed)
        return Failed(QStringLiteral("ошибка записи: %1").arg(SystemReason(error ? error : errno)));
    return {};
}

} // namespace kurvanto
