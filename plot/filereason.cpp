// SPDX-License-Identifier: GPL-3.0-or-later
#include "filereason.h"

#include <cerrno>
#include <cstdio>

namespace kurvanto {

QString SystemReason(int error) {
    switch (error) {
    case ENOSPC:
        return QStringLiteral("на диске нет места");
    case EDQUOT:
        return QStringLiteral("превышена дисковая квота");
    case EROFS:
        return QStringLiteral("файловая система доступна только для чтения");
    case EACCES:
        return QStringLiteral("нет доступа");
    case EPERM:
        return QStringLiteral("операция не позволена");
    case EFBIG:
        return QStringLiteral("файл слишком велик");
    case ENAMETOOLONG:
        return QStringLiteral("слишком длинное имя файла");
    case ENOENT:
        return QStringLiteral("нет такого файла или папки");
    case ENOTDIR:
        return QStringLiteral("часть пути не является папкой");
    case EISDIR:
        return QStringLiteral("это папка");
    case ENXIO:
        return QStringLiteral("нет такого устройства или адреса");
    case EIO:
        return QStringLiteral("ошибка ввода-вывода");
    case ENOMEM:
        return QStringLiteral("недостаточно памяти");
    default:
        return qt_error_string(error);
    }
}

namespace {

// The escape of one control character, or nothing when `c` is not one.
std::string Escape(unsigned c) {
    switch (c) {
    case '\n':
        return "\\n";
    case '\r':
        return "\\r";
    case '\t':
        return "\\t";
    default:
        break;
    }
    if (c >= 0x20 && c != 0x7f)
        return {};
    char hex[8];
    std::snprintf(hex, sizeof hex, "\\x%02x", c);
    return hex;
}

} // namespace

std::string OneLine(const std::string &bytes) {
    std::string line;
    line.reserve(bytes.size());
    for (const char c : bytes) {
        const std::string escaped = Escape(static_cast<unsigned char>(c));
        if (escaped.empty())
            line += c;
        else
            line += escaped;
    }
    return line;
}

QString OneLine(const QString &text) {
    QString line;
    line.reserve(text.size());
    for (const QChar c : text) {
        // Line and paragraph separators break a line too.
        const bool breaks =
            c == QChar::LineSeparator || c == QChar::ParagraphSeparator || c == QChar(0x85);
        const std::string escaped = c.unicode() < 0x80 ? Escape(c.unicode()) : std::string();
        if (breaks)
            line += QStringLiteral("\\u%1").arg(c.unicode(), 4, 16, QLatin1Char('0'));
        else if (!escaped.empty())
            line += QString::fromLatin1(escaped.c_str());
        else
            line += c;
    }
    return line;
}

} // namespace kurvanto
