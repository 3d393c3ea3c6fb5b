#include "outputfile.h"

#include <QByteArray>
#include <QFile>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "cliargs.h"
#include "imagefile.h"

namespace kurvanto {

namespace {

std::string Lower(std::string text) {
    for (char &c : text)
        c = static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
    return text;
}

const char *FormatOfName(const std::string &lowerName) {
    if (lowerName == "bmp")
        return "BMP";
    if (lowerName == "png")
        return "PNG";
    if (lowerName == "jpg" || lowerName == "jpeg")
        return "JPG";
    if (lowerName == "ppm")
        return "PPM";
    return nullptr;
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

std::string ErrnoText(int error) {
    switch (error) {
    case ENOSPC:
        return "на диске нет места";
    case EDQUOT:
        return "исчерпана квота диска";
    case EFBIG:
        return "файл превысил допустимый размер";
    case EACCES:
    case EPERM:
        return "нет прав на запись";
    case ENOENT:
        return "нет такой папки";
    case ENOTDIR:
        return "часть пути не является папкой";
    case EROFS:
        return "файловая система только для чтения";
    case EISDIR:
        return "это папка";
    case EIO:
        return "ошибка ввода-вывода";
    default:
        return std::strerror(error);
    }
}

mode_t CurrentUmask() {
    const mode_t mask = umask(0);
    umask(mask);
    return mask;
}

// A name that no text of Qt can carry (it is not valid in the file-name encoding): written
// with the name's own bytes, the same way the picture writer writes any other name (the
// writer checks and syncs every byte on the descriptor).
std::string WriteByBytes(const QImage &image, const std::string &name, const char *format) {
    std::string path = name;
    struct stat info {};
    if (lstat(name.c_str(), &info) == 0 && S_ISLNK(info.st_mode)) {
        if (char *real = realpath(name.c_str(), nullptr)) {
            path = real;
            std::free(real);
        }
    }
    const bool exists = stat(path.c_str(), &info) == 0;
    if (exists && !S_ISREG(info.st_mode)) {
        const int fd = open(path.c_str(), O_WRONLY | O_NOCTTY | O_CLOEXEC);
        if (fd < 0)
            return ErrnoText(errno);
        const WriteResult result = WriteImageToDescriptor(image, fd, format);
        const int closeError = close(fd) == 0 ? 0 : errno;
        if (!result.ok)
            return result.error.toStdString();
        return closeError == 0 ? std::string() : ErrnoText(closeError);
    }
    const std::size_t slash = path.rfind('/');
    const std::string folder =
        slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
    std::string temporary = folder + ".kurvanto-XXXXXX";
    const int fd = mkostemp(temporary.data(), O_CLOEXEC);
    if (fd < 0)
        return ErrnoText(errno);
    const mode_t mode = exists ? (info.st_mode & 07777) : (0666 & ~CurrentUmask());
    std::string error;
    if (fchmod(fd, mode) != 0)
        error = ErrnoText(errno);
    if (error.empty()) {
        const WriteResult result = WriteImageToDescriptor(image, fd, format);
        if (!result.ok)
            error = result.error.toStdString();
    }
    if (close(fd) != 0 && error.empty())
        error = ErrnoText(errno);
    if (error.empty() && rename(temporary.c_str(), path.c_str()) != 0)
        error = ErrnoText(errno);
    if (!error.empty())
        unlink(temporary.c_str());
    return error;
}

// While it lives, standard error goes nowhere: an encoder library that reports a failed write
// on its own (libpng does) would put a second line before the tool's one reason.
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
    if (!formatOption.empty()) {
        target.format = FormatOfName(Lower(formatOption));
        if (target.format == nullptr)
            throw UsageError(OptionMessage("--format", {formatOption},
                                           "формат должен быть bmp, png, jpg или ppm"));
        return target;
    }
    if (target.standardOutput)
        return target;
    const std::string extension = Extension(name);
    if (const char *format = FormatOfName(Lower(extension))) {
        target.format = format;
        return target;
    }
    if (extension.empty() || target.inPlace)
        return target;
    throw UsageError(OptionMessage(
        "-o", {name},
        "расширение «." + extension +
            "» не задаёт формат: нужно .bmp, .png, .jpg, .jpeg или .ppm, или параметр --format"));
}

std::string WriteOutput(const QImage &image, const OutputTarget &target) {
    const SilentStandardError silent;
    if (target.standardOutput) {
        const WriteResult result = WriteImageToDescriptor(image, STDOUT_FILENO, target.format);
        return result.ok ? std::string() : result.error.toStdString();
    }
    const QString path = QFile::decodeName(QByteArray::fromStdString(target.name));
    if (QFile::encodeName(path).toStdString() != target.name)
        return WriteByBytes(image, target.name, target.format);
    const WriteResult result = SaveImageFile(image, path, target.format);
    return result.ok ? std::string() : result.error.toStdString();
}

} // namespace kurvanto
