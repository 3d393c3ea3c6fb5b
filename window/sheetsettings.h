// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Remembered between runs: the worksheets last opened or saved, newest first, and whether
// the panel "Графики" is shown.
#include <QStringList>

namespace kurvanto {

constexpr int kRecentSheets = 5;

QStringList LoadRecentSheets();

// Puts the file first (once), keeps kRecentSheets; returns the new list.
QStringList RememberRecentSheet(const QString &path);

bool LoadGraphListShown();
void SaveGraphListShown(bool shown);

} // namespace kurvanto
