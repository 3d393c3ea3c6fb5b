// SPDX-License-Identifier: GPL-3.0-or-later
#include "localesep.h"

#include <QLocale>
#include <optional>

namespace kurvanto {

namespace {

std::optional<QChar> &Separator() {
    static std::optional<QChar> separator;
    return separator;
}

// A separator must be one printable ASCII character: the text-to-number reader works on
// single bytes.
QChar ReadLocaleSeparator() {
    const QString point = QLocale::system().decimalPoint();
    if (point.size() == 1 && point[0].unicode() > 32 && point[0].unicode() < 127)
        return point[0];
    return QLatin1Char('.');
}

} // namespace

QChar LocaleDecimalSeparator() {
    if (!Separator())
        Separator() = ReadLocaleSeparator();
    return *Separator();
}

void SetLocaleDecimalSeparator(QChar separator) {
    Separator() = separator;
}

} // namespace kurvanto
