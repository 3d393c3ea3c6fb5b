// SPDX-License-Identifier: GPL-3.0-or-later
#include "readout.h"

#include "generalformat.h"

namespace kurvanto {

QString CutAfterSeparator(const QString &text, QChar separator) {
    const qsizetype at = text.indexOf(separator);
    if (at < 0)
        return text;
    return text.left(at + 3);
}

QString ReadoutText(long double value, QChar separator) {
    const char sep = separator.toLatin1();
    return CutAfterSeparator(QString::fromStdString(FormatGeneral(value, sep)), separator);
}

} // namespace kurvanto
