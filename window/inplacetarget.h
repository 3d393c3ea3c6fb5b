// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Saving from the window to a target that is not a regular file: a FIFO, a device. Such a
// target is opened without waiting, so that a FIFO nobody reads cannot hold the window; with a
// reader the picture is written on a worker thread while a progress with "Отмена" keeps the
// window live, so that a reader that stops reading cannot hold it either.
#include <QByteArray>
#include <QString>

#include "imagefile.h"

class QWidget;

namespace kurvanto {

// True when `fileName` names an existing target that is not a regular file.
bool IsInPlaceTarget(const QString &fileName);

// Writes `bytes` to the target in place; the reason when it could not: no reader on a FIFO
// ("у канала нет читателя"), a failed write, or "Отмена" in the progress.
WriteResult WriteInPlaceTarget(QWidget *parent, const QString &fileName, const QByteArray &bytes);

} // namespace kurvanto
