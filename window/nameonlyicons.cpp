// SPDX-License-Identifier: GPL-3.0-or-later
#include "nameonlyicons.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QMimeDatabase>
#include <QObject>
#include <memory>

namespace kurvanto {

namespace {

// Owns the provider as a child of the dialog. Children go in the order they were made, so the
// dialog's file model, made with the dialog, is gone before its provider.
class ProviderHolder : public QObject {
  public:
    explicit ProviderHolder(QObject *parent) : QObject(parent) {}
    NameOnlyIconProvider provider;
};

} // namespace

NameOnlyIconProvider::NameOnlyIconProvider() {
    setOptions(DontUseCustomDirectoryIcons);
    computer_ = QFileIconProvider::icon(Computer);
    drive_ = QFileIconProvider::icon(Drive);
    folder_ = QFileIconProvider::icon(Folder);
    file_ = QFileIconProvider::icon(File);
}

QIcon NameOnlyIconProvider::icon(IconType type) const {
    switch (type) {
    case Computer:
        return computer_;
    case Drive:
        return drive_;
    case Folder:
        return folder_;
    case File:
        return file_;
    default:
        return QFileIconProvider::icon(type);
    }
}

QIcon NameOnlyIconProvider::icon(const QFileInfo &info) const {
    if (info.absoluteFilePath() == QDir::rootPath())
        return drive_;
    return info.isDir() ? folder_ : file_;
}

QString NameOnlyIconProvider::type(const QFileInfo &info) const {
    if (!info.isFile()) // folders, devices, FIFOs, sockets and broken links: from the metadata
        return QFileIconProvider::type(info);
    const QMimeType mime =
        QMimeDatabase().mimeTypeForFile(info.fileName(), QMimeDatabase::MatchExtension);
    return mime.comment().isEmpty() ? mime.name() : mime.comment();
}

void UseNameOnlyIcons(QFileDialog &dialog) {
    auto *holder = new ProviderHolder(&dialog);
    dialog.setIconProvider(&holder->provider);
    dialog.setOption(QFileDialog::DontUseCustomDirectoryIcons);
}

} // namespace kurvanto
