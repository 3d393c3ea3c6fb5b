// SPDX-License-Identifier: GPL-3.0-or-later
#include "fieldprinting.h"

#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>

#include "uiseam.h"

namespace kurvanto {

bool PrintField(QPrinter &printer, const VectorRecorder &field) {
    QPainter painter;
    if (!painter.begin(&printer))
        return false;
    const QRectF page(QPointF(0, 0), QSizeF(printer.width(), printer.height()));
    DrawVectorFieldInto(painter, field, page);
    return painter.end();
}

void PrintFieldWithDialog(QWidget *parent, const Field &field) {
    if (field.state().GraphPresent == 0) {
        ShowMessage(parent, QStringLiteral("Нет графика на поле!!!"));
        return;
    }
    QPrinter printer(QPrinter::HighResolution);
    const auto formulas = field.displayList().legend();
    printer.setDocName(formulas.empty() ? QStringLiteral("Kurvanto") : formulas.front().text);
    QPrintDialog dialog(&printer, parent);
    dialog.setWindowTitle(QStringLiteral("Печать графика"));
    if (ExecDialog(dialog) != QDialog::Accepted)
        return;
    VectorRecorder vectors;
    field.recordVectors(vectors);
    if (!PrintField(printer, vectors))
        ShowMessage(parent, QStringLiteral("Не удалось напечатать график."), QMessageBox::Critical);
}

} // namespace kurvanto
