// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What a replaced file hands on to the new one besides its content.
#include <QByteArray>
#include <QString>
#include <sys/stat.h>

namespace kurvanto {

// Gives the open new file `fd` what the old file at `oldPath` (described by `old`) had: the
// owner where this user may keep it, the permissions, the access control list and the user.*
// extended attributes. False when one of them could not be given, `why` then says which and why.
bool CarryOverAttributes(int fd, const QByteArray &oldPath, const struct stat &old, QString &why);

// The permissions a new file gets: 0666 less the process's umask.
mode_t NewFileMode();

} // namespace kurvanto
