// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The worksheets last opened or saved, newest first, remembered between runs.
#include <QStringList>

namespace kurvanto {

constexpr int kRecentSheets = 5;

QStringList LoadRecentSheets();

// Puts the file first (once), keeps kRecentSheets; returns the new list.
QStringList RememberRecentSheet(const QString &path);

} // namespace kurvanto
