// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The text of one coordinate of the read-out under the mouse.
#include <QChar>
#include <QString>

namespace kurvanto {

// Cuts a number's text after the second character behind its decimal separator
// ("3,14159" -> "3,14", "0,5" stays); a text without the separator stays whole.
QString CutAfterSeparator(const QString &text, QChar separator);

// The value in the general number format with the given separator, then cut as above.
QString ReadoutText(long double value, QChar separator);

} // namespace kurvanto
