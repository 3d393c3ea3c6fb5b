// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Answers the program's message boxes and modal dialogs in tests and records them.
#include <QDialog>
#include <QMessageBox>
#include <QString>
#include <QStringList>
#include <functional>

#include "uiseam.h"

namespace kurvanto::testing {

class UiRecorder {
  public:
    UiRecorder() {
        SetMessageHook([this](const QString &text, QMessageBox::Icon icon) {
            messages << text;
            icons << icon;
        });
        SetDialogHook([this](QDialog &dialog) {
            dialogs << QString::fromLatin1(dialog.metaObject()->className());
            return onDialog ? onDialog(dialog) : int(QDialog::Rejected);
        });
    }
    ~UiRecorder() {
        SetMessageHook(nullptr);
        SetDialogHook(nullptr);
    }
    UiRecorder(const UiRecorder &) = delete;
    UiRecorder &operator=(const UiRecorder &) = delete;

    QStringList messages;
    QList<QMessageBox::Icon> icons;
    QStringList dialogs; // class names, in the order they were run
    std::function<int(QDialog &)> onDialog;
};

} // namespace kurvanto::testing
