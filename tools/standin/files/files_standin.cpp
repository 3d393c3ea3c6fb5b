// TEMPORARY: see imagefile.h in this folder.
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include "imagefile.h"

namespace kurvanto {

WriteResult SaveImageFile(const QImage &image, const QString &path, const char *format) {
    const QFileInfo info(path);
    if (info.exists() && !QFileInfo(info.canonicalFilePath()).isFile()) {
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly))
            return {false, file.errorString()};
        if (!image.save(&file, format) || !file.flush())
            return {false, file.errorString()};
        file.close();
        return {file.error() == QFile::NoError, file.errorString()};
    }
    QSaveFile file(info.exists() ? info.canonicalFilePath() : path);
    if (!file.open(QIODevice::WriteOnly))
        return {false, file.errorString()};
    if (!image.save(&file, format)) {
        file.cancelWriting();
        return {false, file.errorString()};
    }
    if (!file.commit())
        return {false, file.errorString()};
    return {true, QString()};
}

WriteResult WriteImageToDescriptor(const QImage &image, int fd, const char *format) {
    QFile file;
    if (!file.open(fd, QIODevice::WriteOnly))
        return {false, file.errorString()};
    if (!image.save(&file, format) || !file.flush())
        return {false, file.errorString()};
    return {true, QString()};
}

} // namespace kurvanto
