// SPDX-License-Identifier: GPL-3.0-or-later
#include "toolkittranslation.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <cstring>

namespace kurvanto {

namespace {

struct Word {
    const char *context;
    const char *source;
    const char *russian;
};

// What a file chooser shows in its "Type" column for folders, drives and links.
constexpr Word kWords[] = {
    {"QAbstractFileIconProvider", "Folder", "Папка"},
    {"QAbstractFileIconProvider", "File Folder", "Папка"},
    {"QAbstractFileIconProvider", "Drive", "Диск"},
    {"QAbstractFileIconProvider", "Shortcut", "Ярлык"},
    {"QAbstractFileIconProvider", "Alias", "Ярлык"},
    {"QAbstractFileIconProvider", "Unknown", "Неизвестный"},
};

} // namespace

QString MissingToolkitWords::translate(const char *context, const char *sourceText, const char *,
                                       int) const {
    if (!context || !sourceText)
        return {};
    for (const Word &word : kWords) {
        if (std::strcmp(context, word.context) == 0 && std::strcmp(sourceText, word.source) == 0)
            return QString::fromUtf8(word.russian);
    }
    return {};
}

ToolkitTranslation::ToolkitTranslation() {
    toolkitLoaded_ =
        toolkit_.load(QLocale(QLocale::Russian), QStringLiteral("qtbase"), QStringLiteral("_"),
                      QLibraryInfo::path(QLibraryInfo::TranslationsPath));
    if (toolkitLoaded_)
        QCoreApplication::installTranslator(&toolkit_);
    QCoreApplication::installTranslator(&missing_);
    // The file types' names come from the shared MIME database in the default locale's
    // language. The file chooser writes sizes and dates in the system's locale, which this
    // leaves alone.
    QLocale::setDefault(QLocale(QLocale::Russian, QLocale::system().territory()));
}

ToolkitTranslation::~ToolkitTranslation() {
    QCoreApplication::removeTranslator(&missing_);
    if (toolkitLoaded_)
        QCoreApplication::removeTranslator(&toolkit_);
}

} // namespace kurvanto
