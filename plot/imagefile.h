// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Writing files so that nothing is lost: a file is replaced only when every byte of the new
// content, the last flush and the sync to the disk went through; otherwise the old file stays
// byte for byte and the caller gets the reason. Targets that are not plain files (devices,
// FIFOs, standard output) are written in place and never replaced.
#include <QByteArray>
#include <QString>
#include <QtGlobal>
#include <functional>

class QIODevice;
class QImage;

namespace kurvanto {

struct WriteResult {
    bool ok = true;
    QString error; // why it failed, for a person to read
};

// Writes the bytes that `produce` puts into the device to `path`, all or nothing.
//  - A regular file, or a name that does not exist yet: the bytes go into a new file in the
//    same folder, without a name while it is written (replacementfile.h); every write, the
//    final flush, the sync and the close are checked, and the new file is renamed over the
//    target only when all of them went through. A replaced file keeps its permissions, its
//    access control list, its user.* attributes and, where allowed, its owner; a new one gets
//    what any new file gets (0666 less the umask, or the folder's default access list). SIGINT,
//    SIGTERM or SIGHUP during the write stops it with the old file kept. A symbolic link is
//    followed: the file it points to is replaced and the link stays. Reasons are in Russian for the
//    common failures (filereason.h).
//  - An existing target that is not a regular file (a character device such as /dev/null or
//    /dev/full, a FIFO, /dev/stdout): written in place, with no temporary file and no rename;
//    every write is checked, so /dev/full fails.
// `produce` returns false when it could not make its content; that fails the write too.
WriteResult WriteFileWhole(const QString &path, const std::function<bool(QIODevice &)> &produce);

// The same for a name in the file system's own bytes. A name that is not valid UTF-8 (the
// byte 0xff, say) does not survive a trip through QString: QFile::decodeName turns the bad
// bytes into U+FFFD. Names from the command line or the environment come here as they are.
WriteResult WriteFileWholeNative(const QByteArray &path,
                                 const std::function<bool(QIODevice &)> &produce);

// The same onto an open file descriptor, which stays open (standard output, for one).
WriteResult WriteToDescriptor(int fd, const std::function<bool(QIODevice &)> &produce);

// Encodes the image in `format` ("BMP", "PNG", "JPG", "PPM") and writes it whole.
WriteResult SaveImageFile(const QImage &image, const QString &path, const char *format);
WriteResult SaveImageFileNative(const QImage &image, const QByteArray &path, const char *format);
WriteResult WriteImageToDescriptor(const QImage &image, int fd, const char *format);

// Test seam: when `bytes` >= 0, every later write fails as on a full disk once that many
// bytes of it have gone through. -1 (the default) turns it off.
void SetWriteFailureAfterBytes(qint64 bytes);
// Test seam: a nonzero `error` makes syncing the file to the disk, after every byte went
// through, fail with it, as a disk reports a late write failure. 0 (the default): off.
void SetSyncFailure(int error);

} // namespace kurvanto
