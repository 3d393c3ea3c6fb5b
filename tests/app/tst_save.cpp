// SPDX-License-Identifier: GPL-3.0-or-later
// The main window's save: a write that fails keeps the old file and says why, and the save
// dialog never opens a file to choose an icon or a type, so no folder can freeze it.
#include <QAbstractFileIconProvider>
#include <QBuffer>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QLineEdit>
#include <QMimeDatabase>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <memory>
#include <mutex>
#include <sys/inotify.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

#include "files.h"
#include "imagefile.h"
#include "tform1.h"
#include "windowtest.h"

using namespace kurvanto;
using kurvanto::testing::ReadAll;
using kurvanto::testing::WriteRaw;

namespace {

// Ends the whole test program when a blocked thread keeps it from ending the test itself:
// a frozen event loop runs no timer.
class Watchdog {
  public:
    Watchdog(int seconds, const char *what)
        : thread_([this, seconds, what] {
              std::unique_lock<std::mutex> lock(mutex_);
              if (!done_.wait_for(lock, std::chrono::seconds(seconds), [this] { return over_; })) {
                  std::fprintf(stderr, "FAIL!  : %s: no answer within %d s\n", what, seconds);
                  std::fflush(stderr);
                  std::_Exit(EXIT_FAILURE);
              }
          }) {}
    ~Watchdog() {
        {
            std::lock_guard<std::mutex> lock(mutex_);
            over_ = true;
        }
        done_.notify_one();
        thread_.join();
    }
    Watchdog(const Watchdog &) = delete;
    Watchdog &operator=(const Watchdog &) = delete;

  private:
    std::mutex mutex_;
    std::condition_variable done_;
    bool over_ = false;
    std::thread thread_;
};

// Runs the event loop until `ready` holds or the time is up.
bool WaitFor(const std::function<bool()> &ready, int milliseconds) {
    QElapsedTimer clock;
    clock.start();
    while (!ready()) {
        if (clock.elapsed() > milliseconds)
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        QThread::msleep(5);
    }
    return true;
}

void Spin(int milliseconds) {
    WaitFor([] { return false; }, milliseconds);
}

// Asks the dialog's model for the icon and the type of everything it lists under `folder`,
// as the views do when they show the rows.
int TouchEveryRow(QFileSystemModel &model, const QString &folder) {
    const QModelIndex parent = model.index(folder);
    const int rows = model.rowCount(parent);
    for (int row = 0; row < rows; ++row) {
        const QModelIndex name = model.index(row, 0, parent);
        (void)model.data(name, Qt::DecorationRole);
        (void)model.data(model.index(row, 2, parent), Qt::DisplayRole);
        (void)model.type(name);
    }
    return rows;
}

} // namespace

class TestSave : public kurvanto::testing::WindowTest {
    Q_OBJECT

  private:
    void saveTo(const QString &path) {
        ui_->onDialog = [path](QDialog &dialog) {
            static_cast<QFileDialog &>(dialog).selectFile(path);
            return int(QDialog::Accepted);
        };
        form_->SpeedButton1Click();
    }
    QByteArray pictureAsBitmap() const {
        QByteArray bytes;
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        form_->canvas().image().save(&buffer, "BMP");
        return bytes;
    }

  private slots:

    // ---- A full disk ----

    void save_fullDiskKeepsTheOldFileAndSaysSo_data() {
        QTest::addColumn<int>("where"); // 0 first byte, 1 second, 2 middle, 3 last, 4 none
        QTest::newRow("fails at byte 0") << 0;
        QTest::newRow("fails at byte 1") << 1;
        QTest::newRow("fails in the middle") << 2;
        QTest::newRow("fails at the last byte") << 3;
        QTest::newRow("room for exactly the picture") << 4;
    }
    void save_fullDiskKeepsTheOldFileAndSaysSo() {
        QFETCH(int, where);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("graph.bmp"));
        const QByteArray old("the old picture");
        QVERIFY(WriteRaw(path, old));
        QVERIFY(build(QStringLiteral("x^2-3")));
        const QByteArray picture = pictureAsBitmap();
        QVERIFY(picture.size() > 100000); // 640 x 441 pixels
        const qint64 limits[] = {0, 1, picture.size() / 2, picture.size() - 1, picture.size()};
        SetWriteFailureAfterBytes(limits[where]);

        saveTo(path);

        QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden | QDir::System),
                 QStringList{"graph.bmp"});
        if (where == 4) {
            QVERIFY2(ui_->messages.isEmpty(), qPrintable(ui_->messages.join('\n')));
            QCOMPARE(ReadAll(path), picture);
            return;
        }
        QCOMPARE(ReadAll(path), old);
        QCOMPARE(ui_->messages.size(), 1);
        QCOMPARE(ui_->icons.value(0), QMessageBox::Critical);
        const QString message = ui_->messages.at(0);
        QVERIFY2(message.startsWith(QStringLiteral("Не удалось сохранить график в файл")),
                 qPrintable(message));
        QVERIFY2(message.contains(QStringLiteral("graph.bmp")), qPrintable(message));
        QVERIFY2(message.contains(QStringLiteral("на диске нет места")), qPrintable(message));
    }

    // ---- A FIFO ----

    // Without a reader the save says so at once; a reader that reads nothing gets a progress
    // whose "Отмена" ends the write; a reader that reads gets the whole picture.
    void save_toAFifoNeverHoldsTheWindow() {
        QTemporaryDir dir;
        const QString fifo = dir.filePath(QStringLiteral("pipe.bmp"));
        const QByteArray name = QFile::encodeName(fifo);
        QCOMPARE(::mkfifo(name.constData(), 0600), 0);
        QVERIFY(build(QStringLiteral("x")));
        Watchdog watchdog(30, "saving to a FIFO");
        saveTo(fifo);
        QCOMPARE(ui_->messages.size(), 1);
        QVERIFY2(ui_->messages.at(0).contains(QStringLiteral("у канала нет читателя")),
                 qPrintable(ui_->messages.at(0)));

        QStringList progress;
        bool cancel = true;
        ui_->onDialog = [&](QDialog &dialog) {
            if (auto *files = qobject_cast<QFileDialog *>(&dialog)) {
                files->selectFile(fifo);
                return int(QDialog::Accepted);
            }
            progress << QString::fromLatin1(dialog.metaObject()->className());
            return cancel ? int(QDialog::Rejected) : dialog.exec();
        };
        const int idle = ::open(name.constData(), O_RDONLY | O_NONBLOCK); // never reads
        form_->SpeedButton1Click();
        ::close(idle);
        QCOMPARE(progress, QStringList{QStringLiteral("QProgressDialog")});
        QCOMPARE(ui_->messages.size(), 2);
        QVERIFY2(ui_->messages.at(1).contains(QStringLiteral("запись отменена")),
                 qPrintable(ui_->messages.at(1)));

        cancel = false;
        const QByteArray expected = pictureAsBitmap();
        QByteArray received;
        const int reader = ::open(name.constData(), O_RDONLY | O_NONBLOCK);
        std::thread drain([&] { // slower than the writer, until the whole picture is there
            QElapsedTimer clock;
            clock.start();
            char chunk[4096];
            while (received.size() < expected.size() && clock.elapsed() < 20000) {
                const ssize_t n = ::read(reader, chunk, sizeof chunk);
                if (n > 0)
                    received.append(chunk, int(n));
                QThread::usleep(n > 0 ? 200 : 1000);
            }
        });
        form_->SpeedButton1Click();
        drain.join();
        ::close(reader);
        QCOMPARE(ui_->messages.size(), 2);
        QCOMPARE(received, expected);
    }

    // ---- The save dialog ----

    // For every user: a folder with files whose type only their content would tell. The kernel
    // reports each opening of a file in the folder; none may come while the dialog shows it.
    void dialog_opensNoFileForIconsOrTypes() {
        QTemporaryDir dir;
        const QByteArray pngStart("\x89PNG\r\n\x1a\n\0\0\0\rIHDR", 16);
        QVERIFY(WriteRaw(dir.filePath(QStringLiteral("plain")), pngStart));
        QVERIFY(WriteRaw(dir.filePath(QStringLiteral("README")), "#!/bin/sh\necho\n"));
        QVERIFY(WriteRaw(dir.filePath(QStringLiteral("notes.txt")), "text"));
        QVERIFY(WriteRaw(dir.filePath(QStringLiteral("graph.bmp")), "BM"));
        QCOMPARE(
            ::mkfifo(QFile::encodeName(dir.filePath(QStringLiteral("fifo"))).constData(), 0600), 0);
        QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("sub")));
        QVERIFY(build(QStringLiteral("x")));

        const int watch = ::inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
        QVERIFY(watch >= 0);
        QVERIFY(::inotify_add_watch(watch, QFile::encodeName(dir.path()).constData(),
                                    IN_OPEN | IN_ACCESS) >= 0);
        bool listed = false;
        QString bitmapType;
        ui_->onDialog = [&](QDialog &shown) {
            auto &dialog = dynamic_cast<QFileDialog &>(shown);
            auto *model = dialog.findChild<QFileSystemModel *>();
            if (!model)
                return int(QDialog::Rejected);
            dialog.setDirectory(dir.path());
            dialog.show();
            listed = WaitFor([&] { return model->rowCount(model->index(dir.path())) >= 2; }, 5000);
            TouchEveryRow(*model, dir.path());
            Spin(300); // the views paint their rows
            for (const QString &name :
                 QDir(dir.path())
                     .entryList(QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot)) {
                const QFileInfo info(dir.filePath(name));
                (void)model->iconProvider()->icon(info);
                const QString type = model->iconProvider()->type(info);
                if (name == QLatin1String("graph.bmp"))
                    bitmapType = type;
            }
            dialog.hide();
            return int(QDialog::Rejected);
        };
        form_->SpeedButton1Click();

        QStringList opened;
        alignas(inotify_event) char events[16384];
        for (ssize_t n; (n = ::read(watch, events, sizeof events)) > 0;) {
            for (ssize_t at = 0; at < n;) {
                const auto *event = reinterpret_cast<const inotify_event *>(events + at);
                if (event->len > 0 && !(event->mask & IN_ISDIR))
                    opened << QString::fromLocal8Bit(event->name);
                at += ssize_t(sizeof(inotify_event) + event->len);
            }
        }
        ::close(watch);
        QVERIFY(listed);
        opened.removeDuplicates();
        QVERIFY2(opened.isEmpty(), qPrintable(opened.join(QStringLiteral(", "))));
        // types still come, from the names
        QCOMPARE(bitmapType,
                 QMimeDatabase().mimeTypeForName(QStringLiteral("image/bmp")).comment());
    }

    // As the superuser /proc/kmsg is a readable, empty file whose read never returns. Typing
    // /proc into the name box, and showing the folder, must leave the dialog answering.
    void dialog_onProcStaysResponsive() {
        if (::geteuid() != 0)
            QSKIP("only the superuser may read /proc/kmsg, whose read blocks");
        if (!QFileInfo::exists(QStringLiteral("/proc/kmsg")))
            QSKIP("no /proc/kmsg here");
        QTemporaryDir dir;
        QVERIFY(build(QStringLiteral("x")));
        bool listed = false;
        int rows = 0;
        {
            Watchdog watchdog(20, "the save dialog showing /proc");
            ui_->onDialog = [&](QDialog &shown) {
                auto &dialog = dynamic_cast<QFileDialog &>(shown);
                auto *model = dialog.findChild<QFileSystemModel *>();
                auto *name = dialog.findChild<QLineEdit *>(QStringLiteral("fileNameEdit"));
                if (!model || !name)
                    return int(QDialog::Rejected);
                dialog.setDirectory(dir.path());
                dialog.show();
                QTest::keyClicks(name, QStringLiteral("/proc/"));
                Spin(300); // the completer lists /proc
                dialog.setDirectory(QStringLiteral("/proc"));
                listed = WaitFor(
                    [&] { return model->rowCount(model->index(QStringLiteral("/proc"))) > 10; },
                    5000);
                rows = TouchEveryRow(*model, QStringLiteral("/proc"));
                Spin(300);
                dialog.hide();
                return int(QDialog::Rejected);
            };
            form_->SpeedButton1Click();
            form_.reset(); // the dialog's model waits for its own thread on the way out
        }
        QVERIFY(listed);
        QVERIFY2(rows > 10, qPrintable(QString::number(rows)));
    }
};

QTEST_MAIN(TestSave)
#include "tst_save.moc"
