// SPDX-License-Identifier: GPL-3.0-or-later
#include "formulafault.h"

#include <QLabel>
#include <QLineEdit>
#include <QToolTip>
#include <algorithm>

#include "acceptance.h"

namespace kurvanto {

const QString &FormulaFaultDisplay::hint() {
    static const QString text = QStringLiteral("Введите формулу");
    return text;
}

int Utf16Index(const QString &text, int characters) {
    int index = 0;
    for (int i = 0; i < characters && index < text.size(); ++i)
        index += text.at(index).isHighSurrogate() && index + 1 < text.size() ? 2 : 1;
    return index;
}

void FormulaFaultDisplay::show(const QString &typed) {
    const std::optional<FormulaFault> fault = FindFormulaFault(typed.toUtf8().toStdString());
    if (!fault || box_ == nullptr)
        return;
    const int start = Utf16Index(typed, std::max(0, fault->position - 1));
    const int end = Utf16Index(typed, std::max(0, fault->position - 1 + fault->length));
    box_->setFocus(Qt::OtherFocusReason);
    box_->setSelection(start, end - start);
    const QString reason = QString::fromStdString(fault->reason);
    box_->setToolTip(reason);
    shown_ = true;
    QToolTip::showText(box_->mapToGlobal(QPoint(0, box_->height())), reason, box_);
}

void FormulaFaultDisplay::follow(const QString &typed) {
    if (box_ == nullptr)
        return;
    if (shown_) {
        shown_ = false;
        QToolTip::hideText();
    }
    const std::optional<FormulaHint> found = FindFormulaHint(typed.toUtf8().toStdString());
    const QString note = found ? QString::fromStdString(found->text) : QString();
    box_->setToolTip(found ? note : hint());
    if (line_ == nullptr)
        return;
    line_->setText(line_->fontMetrics().elidedText(note, Qt::ElideRight, line_->width()));
    line_->setToolTip(note);
    line_->setVisible(found.has_value());
}

} // namespace kurvanto
