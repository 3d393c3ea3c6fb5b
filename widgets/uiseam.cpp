// SPDX-License-Identifier: GPL-3.0-or-later
#include "uiseam.h"

#include <QApplication>
#include <QDialog>

namespace kurvanto {

namespace {
MessageHook &messageHook() {
    static MessageHook hook;
    return hook;
}
DialogHook &dialogHook() {
    static DialogHook hook;
    return hook;
}
} // namespace

void SetMessageHook(MessageHook hook) {
    messageHook() = std::move(hook);
}
void SetDialogHook(DialogHook hook) {
    dialogHook() = std::move(hook);
}

void ShowMessage(QWidget *parent, const QString &text, QMessageBox::Icon icon) {
    if (messageHook()) {
        messageHook()(text, icon);
        return;
    }
    QMessageBox box(icon, QApplication::applicationDisplayName(), text, QMessageBox::Ok, parent);
    box.exec();
}

int ExecDialog(QDialog &dialog) {
    if (dialogHook())
        return dialogHook()(dialog);
    return dialog.exec();
}

void ReportError(QWidget *parent, const std::exception &error) {
    QString text = QString::fromUtf8(error.what());
    if (!text.endsWith(QLatin1Char('.')))
        text += QLatin1Char('.');
    ShowMessage(parent, text, QMessageBox::Critical);
}

void RunCommand(QWidget *parent, const std::function<void()> &command) {
    try {
        command();
    } catch (const std::exception &error) {
        ReportError(parent, error);
    }
}

} // namespace kurvanto
