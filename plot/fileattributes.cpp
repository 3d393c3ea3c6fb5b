// SPDX-License-Identifier: GPL-3.0-or-later
#include "fileattributes.h"

#include <QFile>
#include <cerrno>
#include <cstring>
#include <sys/xattr.h>
#include <unistd.h>

#include "filereason.h"

namespace kurvanto {

namespace {

const char kAccessList[] = "system.posix_acl_access";

// The value of the attribute `name` of the file; false with errno set when it has none
// (ENODATA) or it could not be read.
bool ReadAttribute(const QByteArray &path, const char *name, QByteArray &value) {
    for (int attempt = 0; attempt < 10; ++attempt) {
        const ssize_t size = ::getxattr(path.constData(), name, nullptr, 0);
        if (size < 0)
            return false;
        value.resize(int(size));
        const ssize_t got = ::getxattr(path.constData(), name, value.data(), size_t(size));
        if (got >= 0) {
            value.resize(int(got));
            return true;
        }
        if (errno != ERANGE) // grown in between: ask again
            return false;
    }
    return false;
}

// The names of the file's extended attributes, each ending in a zero byte.
bool AttributeNames(const QByteArray &path, QByteArray &names) {
    for (int attempt = 0; attempt < 10; ++attempt) {
        const ssize_t size = ::listxattr(path.constData(), nullptr, 0);
        if (size < 0)
            return errno == ENOTSUP; // a file system without them: nothing to hand on
        names.resize(int(size));
        const ssize_t got = ::listxattr(path.constData(), names.data(), size_t(size));
        if (got >= 0) {
            names.resize(int(got));
            return true;
        }
        if (errno != ERANGE)
            return false;
    }
    return false;
}

bool CopyAttribute(int fd, const QByteArray &path, const char *name, QString &why) {
    QByteArray value;
    if (!ReadAttribute(path, name, value)) {
        if (errno == ENODATA || errno == ENOTSUP)
            return true; // none to hand on
    } else if (::fsetxattr(fd, name, value.constData(), size_t(value.size()), 0) == 0) {
        return true;
    }
    const QString what = std::strcmp(name, kAccessList) == 0
                             ? QStringLiteral("список прав доступа (ACL)")
                             : QStringLiteral("атрибут %1").arg(OneLine(QString::fromUtf8(name)));
    why =
        QStringLiteral("не удалось перенести на новый файл %1: %2").arg(what, SystemReason(errno));
    return false;
}

bool CopyUserAttributes(int fd, const QByteArray &path, QString &why) {
    QByteArray names;
    if (!AttributeNames(path, names)) {
        why = QStringLiteral("не удалось прочесть атрибуты файла: %1").arg(SystemReason(errno));
        return false;
    }
    for (const QByteArray &name : names.split('\0'))
        if (name.startsWith("user.") && !CopyAttribute(fd, path, name.constData(), why))
            return false;
    return true;
}

} // namespace

bool CarryOverAttributes(int fd, const QByteArray &oldPath, const struct stat &old, QString &why) {
    // The owner first: a change of owner clears the set-user-ID and set-group-ID bits.
    if (old.st_uid != ::geteuid() || old.st_gid != ::getegid())
        (void)::fchown(fd, old.st_uid, old.st_gid);
    if (::fchmod(fd, old.st_mode & 07777) != 0) {
        why =
            QStringLiteral("не удалось перенести права доступа файла: %1").arg(SystemReason(errno));
        return false;
    }
    // The list sets the group bits to its mask, which the old mode shows already.
    return CopyAttribute(fd, oldPath, kAccessList, why) && CopyUserAttributes(fd, oldPath, why);
}

mode_t NewFileMode() {
    // The umask as the kernel reports it; reading it with umask() would change it for a moment
    // under the other threads.
    QFile status(QStringLiteral("/proc/self/status"));
    if (status.open(QIODevice::ReadOnly)) {
        for (QByteArray line = status.readLine(); !line.isEmpty(); line = status.readLine())
            if (line.startsWith("Umask:")) {
                bool ok = false;
                const uint mask = line.mid(6).trimmed().toUInt(&ok, 8);
                if (ok)
                    return mode_t(0666 & ~mask);
            }
    }
    const mode_t mask = ::umask(022);
    ::umask(mask);
    return mode_t(0666 & ~mask);
}

} // namespace kurvanto
