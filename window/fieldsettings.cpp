// SPDX-License-Identifier: GPL-3.0-or-later
#include "fieldsettings.h"

#include <QSettings>

namespace kurvanto {

namespace {

const QString kSettingsOrganization = QStringLiteral("Kurvanto");
const QString kSettingsApplication = QStringLiteral("kurvanto");

} // namespace

FieldOptions LoadFieldOptions() {
    const QSettings settings(kSettingsOrganization, kSettingsApplication);
    FieldOptions options;
    options.grid = settings.value(QLatin1String(kGridKey), false).toBool();
    options.numbers = settings.value(QLatin1String(kNumbersKey), false).toBool();
    options.breaks = settings.value(QLatin1String(kBreaksKey), false).toBool();
    options.legend = settings.value(QLatin1String(kLegendKey), false).toBool();
    return options;
}

void SaveFieldOption(const char *key, bool on) {
    QSettings settings(kSettingsOrganization, kSettingsApplication);
    settings.setValue(QLatin1String(key), on);
}

} // namespace kurvanto
