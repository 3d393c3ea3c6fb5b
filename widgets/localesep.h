// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The decimal separator of the system's locale, read once when first asked for ("." when
// the locale gives none that fits in one character). Tests set it explicitly.
#include <QChar>

namespace kurvanto {

QChar LocaleDecimalSeparator();
void SetLocaleDecimalSeparator(QChar separator);

} // namespace kurvanto
