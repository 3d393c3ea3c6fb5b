// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// How a failed file operation is told to a person, the same in the window and the tool: the
// system's reason in Russian for the common failures, and a text kept on one line.
#include <QString>
#include <string>

namespace kurvanto {

// The reason behind the system error `error` (an errno value): in Russian for the common ones
// (no space, quota, read-only, no access, too large, name too long, no such file...), the
// system's own text for the rest.
QString SystemReason(int error);

// The text on one line: a control character becomes \n, \r, \t or \xNN (a line or paragraph
// separator \uNNNN), so that a file name cannot break a message into several lines.
QString OneLine(const QString &text);
std::string OneLine(const std::string &bytes);

} // namespace kurvanto
