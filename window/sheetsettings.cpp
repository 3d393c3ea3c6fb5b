// SPDX-License-Identifier: GPL-3.0-or-later
#include "sheetsettings.h"

#include <QFileInfo>
#include <QSettings>

namespace kurvanto {

namespace {

const QString kKey = QStringLiteral("worksheets/recent");
const QString kGraphListKey = QStringLiteral("panels/graphs");

QSettings Settings() {
    return QSettings(QStringLiteral("Kurvanto"), QStringLiteral("kurvanto"));
}

} // namespace

QStringList LoadRecentSheets() {
    QStringList list = Settings().value(kKey).toStringList();
    while (list.size() > kRecentSheets)
        list.removeLast();
    return list;
}

QStringList RememberRecentSheet(const QString &path) {
    const QString absolute = QFileInfo(path).absoluteFilePath();
    QStringList list = LoadRecentSheets();
    list.removeAll(absolute);
    list.prepend(absolute);
    while (list.size() > kRecentSheets)
        list.removeLast();
    Settings().setValue(kKey, list);
    return list;
}

bool LoadGraphListShown() {
    return Settings().value(kGraphListKey, false).toBool();
}

void SaveGraphListShown(bool shown) {
    Settings().setValue(kGraphListKey, shown);
}

} // namespace kurvanto
