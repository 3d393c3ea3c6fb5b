// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The one place where the program talks to the user through message boxes and modal
// dialogs, and the general error report. Tests install hooks here so that no test waits
// for a person.
#include <QMessageBox>
#include <QString>
#include <exception>
#include <functional>

class QDialog;
class QWidget;

namespace kurvanto {

// Shows a message box with the application title as caption (the application name set at
// start-up, which QApplication::applicationDisplayName falls back to).
void ShowMessage(QWidget *parent, const QString &text,
                 QMessageBox::Icon icon = QMessageBox::NoIcon);

// Runs a dialog modally and returns its result (QDialog::Accepted or Rejected).
int ExecDialog(QDialog &dialog);

// The general error report: a message box with the error's text followed by a full stop,
// the application title as caption and the error icon. The program then goes on.
void ReportError(QWidget *parent, const std::exception &error);

// Runs a command handler so that no exception escapes into the event loop: whatever it
// throws reaches ReportError.
void RunCommand(QWidget *parent, const std::function<void()> &command);

// Hooks for tests. A message hook receives every message instead of a box; a dialog hook
// receives every modal dialog instead of exec() and returns the result to report.
using MessageHook = std::function<void(const QString &text, QMessageBox::Icon icon)>;
using DialogHook = std::function<int(QDialog &dialog)>;
void SetMessageHook(MessageHook hook);
void SetDialogHook(DialogHook hook);

} // namespace kurvanto
