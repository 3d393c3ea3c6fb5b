#pragma once
// TEMPORARY stand-in for plot/imagefile.h until the checked picture writer is merged; used
// only while that header is missing (tools/CMakeLists.txt).
#include <QImage>
#include <QString>

namespace kurvanto {

struct WriteResult {
    bool ok;
    QString error;
};

WriteResult SaveImageFile(const QImage &image, const QString &path, const char *format);
WriteResult WriteImageToDescriptor(const QImage &image, int fd, const char *format);

} // namespace kurvanto
