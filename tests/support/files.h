// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Reading and writing test files whole, past the program's own writer.
#include <QByteArray>
#include <QString>
#include <string>

namespace kurvanto::testing {

// The whole content of a file; empty when it cannot be read.
QByteArray ReadAll(const QString &path);
std::string ReadAll(const std::string &path);

// Writes the bytes as the whole file; false when any of them did not go.
bool WriteRaw(const QString &path, const QByteArray &bytes);
bool WriteRaw(const std::string &path, const std::string &bytes);

} // namespace kurvanto::testing
