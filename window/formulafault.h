// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The formula box's fault display: after a refused build the fault's span is selected in the
// box, which takes the focus, and its reason is shown under the box and kept as the box's tool
// tip until the text changes.
#include <QString>

class QLineEdit;

namespace kurvanto {

class FormulaFaultDisplay {
  public:
    // The box's own tool tip, shown while no fault is.
    static const QString &hint();

    void setBox(QLineEdit *box) { box_ = box; }

    // Points at the leftmost fault of the typed text; nothing when the text has none.
    void show(const QString &typed);
    // The text changed: the box's own tool tip again.
    void forget();

  private:
    QLineEdit *box_ = nullptr;
    bool shown_ = false; // the box's tool tip names a fault
};

// The index in a QString (UTF-16 units) of the character counted `characters` code points
// from its start.
int Utf16Index(const QString &text, int characters);

} // namespace kurvanto
