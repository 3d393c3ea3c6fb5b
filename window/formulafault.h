// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The formula box's fault display: after a refused build the fault's span is selected in the
// box, which takes the focus, and its reason is shown under the box and kept as the box's tool
// tip until the text changes. While the text is a formula that may not mean what it seems
// ("-x^2"), its hint is the box's tool tip and the line under the box.
#include <QString>

class QLabel;
class QLineEdit;

namespace kurvanto {

class FormulaFaultDisplay {
  public:
    // The box's own tool tip, shown while no fault is.
    static const QString &hint();

    void setBox(QLineEdit *box) { box_ = box; }
    // The line under the box that shows the hint, hidden while there is none.
    void setHintLine(QLabel *line) { line_ = line; }

    // Points at the leftmost fault of the typed text; nothing when the text has none.
    void show(const QString &typed);
    // The text changed: the fault is forgotten; the new text's hint, if it has one, is the box's
    // tool tip and the line under it, otherwise the box's own tool tip is.
    void follow(const QString &typed);

  private:
    QLineEdit *box_ = nullptr;
    QLabel *line_ = nullptr;
    bool shown_ = false; // the box's tool tip names a fault
};

// The index in a QString (UTF-16 units) of the character counted `characters` code points
// from its start.
int Utf16Index(const QString &text, int characters);

} // namespace kurvanto
