// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Finding a dialog's number box and typing into it as a user would.
#include <QDialog>
#include <QString>
#include <QTest>

#include "tspinedit.h"

namespace kurvanto::testing {

inline TSpinEdit *spin(QDialog &dialog, const QString &name) {
    auto *edit = dialog.findChild<TSpinEdit *>(name);
    Q_ASSERT(edit);
    return edit;
}

// Tabs into the box, selects its text and types over it; an empty text erases it.
inline void typeInto(TSpinEdit *edit, const QString &text) {
    edit->setFocus(Qt::TabFocusReason);
    edit->selectAll();
    if (text.isEmpty())
        QTest::keyClick(edit, Qt::Key_Backspace);
    else
        QTest::keyClicks(edit, text);
}

} // namespace kurvanto::testing
