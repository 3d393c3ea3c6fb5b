// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The worksheet's doubles in JSON: a number where JSON can hold it bit for bit, otherwise the
// strings "-0", "inf", "-inf" and "nan".
#include <QJsonValue>
#include <optional>

namespace kurvanto {

QJsonValue DoubleValue(double d);
std::optional<double> DoubleOfValue(const QJsonValue &value);

} // namespace kurvanto
