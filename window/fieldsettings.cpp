// SPDX-License-Identifier: GPL-3.0-or-later
#include "fieldsettings.h"

#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <cstdio>
#include <sys/stat.h>

#include "filereason.h"

namespace kurvanto {

namespace {

const QString kSettingsOrganization = QStringLiteral("Kurvanto");
const QString kSettingsApplication = QStringLiteral("kurvanto");

// The settings file's name, found without opening it: QSettings reads its file as it is made,
// and a FIFO there would hold the program before its window shows. A file of another name in
// the same folder tells where the settings live (QSettings::setPath may have moved them).
QString SettingsFileName() {
    const QString name = [] {
        const QSettings probe(kSettingsOrganization,
                              kSettingsApplication + QStringLiteral("-probe"));
        return QFileInfo(probe.fileName()).absolutePath() + QLatin1Char('/') +
               kSettingsApplication + QStringLiteral(".conf");
    }();
    return name;
}

// True when the settings may be read and written: the file is a regular one or absent. Says
// once on standard error when it is something else.
bool SettingsUsable() {
    const QByteArray name = QFile::encodeName(SettingsFileName());
    struct stat info {};
    if (::stat(name.constData(), &info) != 0 || S_ISREG(info.st_mode))
        return true;
    static bool told = false;
    if (!told)
        std::fprintf(stderr,
                     "kurvanto: «%s» не обычный файл: настройки не читаются и не "
                     "сохраняются\n",
                     OneLine(std::string(name.constData())).c_str());
    told = true;
    return false;
}

// "true" or "false" as QSettings writes them; anything else is the option's default, off.
bool ReadFlag(const QSettings &settings, const char *key) {
    return settings.value(QLatin1String(key)).toString() == QLatin1String("true");
}

} // namespace

FieldOptions LoadFieldOptions() {
    FieldOptions options;
    if (!SettingsUsable())
        return options;
    const QSettings settings(kSettingsOrganization, kSettingsApplication);
    options.grid = ReadFlag(settings, kGridKey);
    options.numbers = ReadFlag(settings, kNumbersKey);
    options.breaks = ReadFlag(settings, kBreaksKey);
    options.legend = ReadFlag(settings, kLegendKey);
    options.points = ReadFlag(settings, kPointsKey);
    return options;
}

void SaveFieldOption(const char *key, bool on) {
    if (!SettingsUsable())
        return;
    QSettings settings(kSettingsOrganization, kSettingsApplication);
    settings.setValue(QLatin1String(key), on);
}

} // namespace kurvanto
