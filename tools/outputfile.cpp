// SPDX-License-Identifier: GPL-3.0-or-later
#include "outputfile.h"

#include <QByteArray>
#include <cstring>
#include <fcntl.h>
#include <optional>
#include <sys/stat.h>
#include <unistd.h>

#include "cliargs.h"
#include "descriptorname.h"
#include "imagefile.h"
#include "pictureformat.h"
#include "vectorfield.h"

namespace kurvanto {

namespace {

// The writer's name of the format named or with the extension `text`, any letter case.
const char *FormatOfName(const std::string &text) {
    const PictureFormatInfo *info = FormatOfExtension(text);
    return info != nullptr ? info->writerName : nullptr;
}

// The extension of the name's last component, without the dot; empty when there is none
// (a leading dot names a hidden file, not an extension).
std::string Extension(const std::string &name) {
    const std::size_t slash = name.rfind('/');
    const std::size_t start = slash == std::string::npos ? 0 : slash + 1;
    const std::size_t dot = name.rfind('.');
    if (dot == std::string::npos || dot <= start)
        return {};
    return name.substr(dot + 1);
}

bool ExistsAndIsNotRegular(const std::string &name) {
    struct stat info {};
    return stat(name.c_str(), &info) == 0 && !S_ISREG(info.st_mode);
}

// While it lives, standard error goes nowhere: libpng reports a failed write on its own and
// would put a second line before the tool's one reason.
class SilentStandardError {
  public:
    SilentStandardError() : saved_(fcntl(STDERR_FILENO, F_DUPFD_CLOEXEC, 0)) {
        const int null = open("/dev/null", O_WRONLY | O_CLOEXEC);
        if (saved_ >= 0 && null >= 0)
            dup2(null, STDERR_FILENO);
        if (null >= 0)
            close(null);
    }
    ~SilentStandardError() {
        if (saved_ >= 0) {
            dup2(saved_, STDERR_FILENO);
            close(saved_);
        }
    }
    SilentStandardError(const SilentStandardError &) = delete;
    SilentStandardError &operator=(const SilentStandardError &) = delete;

  private:
    int saved_;
};

} // namespace

OutputTarget ChooseOutput(const std::string &name, const std::string &formatOption) {
    OutputTarget target{name, name == "-", name == "-" || ExistsAndIsNotRegular(name), "BMP"};
    target.descriptor = name == "-" ? STDOUT_FILENO : StartupDescriptorNamed(name);
    target.inPlace = target.inPlace || target.descriptor >= 0;
    if (!formatOption.empty()) {
        target.format = FormatOfName(formatOption);
        if (target.format == nullptr)
            throw UsageError(OptionMessage("--format", {formatOption},
                                           "формат должен быть " + FormatNamesText()));
        return target;
    }
    if (target.standardOutput)
        return target;
    const std::string extension = Extension(name);
    if (const char *format = FormatOfName(extension)) {
        target.format = format;
        return target;
    }
    if (extension.empty() || target.inPlace)
        return target;
    throw UsageError(OptionMessage("-o", {name},
                                   "расширение «." + extension + "» не задаёт формат: нужно " +
                                       ExtensionsText() + ", или параметр --format"));
}

std::string WriteOutput(const QImage &image, const OutputTarget &target) {
    std::optional<SilentStandardError> silent;
    if (std::strcmp(target.format, "PNG") == 0)
        silent.emplace();
    if (target.descriptor >= 0) {
        const WriteResult result = WriteImageToDescriptor(image, target.descriptor, target.format);
        return result.ok ? std::string() : result.error.toStdString();
    }
    // The name's own bytes: a name that is not valid UTF-8 would not survive a QString.
    const WriteResult result =
        SaveImageFileNative(image, QByteArray::fromStdString(target.name), target.format);
    return result.ok ? std::string() : result.error.toStdString();
}

} // namespace kurvanto

namespace kurvanto {

bool IsVectorFormat(const OutputTarget &target) {
    const PictureFormatInfo *info = FormatOfExtension(target.format);
    return info != nullptr && info->vector;
}

std::string WriteVectorOutput(const VectorRecorder &field, const OutputTarget &target,
                              const QString &title) {
    const bool svg = std::strcmp(target.format, "SVG") == 0;
    const auto produce = [&](QIODevice &device) {
        return svg ? WriteVectorSvg(device, field, title) : WriteVectorPdf(device, field, title);
    };
    const WriteResult result =
        target.descriptor >= 0
            ? WriteToDescriptor(target.descriptor, produce)
            : WriteFileWholeNative(QByteArray::fromStdString(target.name), produce);
    return result.ok ? std::string() : result.error.toStdString();
}

} // namespace kurvanto
