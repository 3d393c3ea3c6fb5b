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

VectorRecorder FieldOnPaper(const Field &field) {
    VectorRecorder shown, paper;
    field.recordVectors(shown);
    if (field.state().BackgroundColor != kButtonFaceColor)
        return shown;
    const QColor face = Canvas::toQColor(kButtonFaceColor);
    const auto onPaper = [&face](const QColor &color) {
        return color == face ? QColor(Qt::white) : color;
    };
    paper.pictureSized(shown.size());
    for (const VectorOp &op : shown.ops()) {
        if (op.kind == VectorOp::Fill)
            paper.filled(op.rect, onPaper(op.color));
        else if (op.kind == VectorOp::Text)
            paper.text(op.rect, op.baseline, op.text, op.font, op.color, onPaper(op.background));
        else if (op.kind == VectorOp::Image)
            paper.image(op.image);
        for (int i = 1; op.kind == VectorOp::Lines && i < op.points.size(); ++i)
            paper.line(op.points[i - 1], op.points[i], op.color, op.penWidth, op.penStyle);
    }
    return paper;
}

void PrintFieldWithDialog(QWidget *parent, const Field &field) {
    if (field.state().GraphPresent == 0) {
        ShowMessage(parent, QStringLiteral("Нет графика на поле!!!"));
        return;
    }
    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(QStringLiteral("kurvanto")); // a file offered: kurvanto.pdf
    QPrintDialog dialog(&printer, parent);
    dialog.setWindowTitle(QStringLiteral("Печать графика"));
    if (ExecDialog(dialog) != QDialog::Accepted)
        return;
    const VectorRecorder vectors = FieldOnPaper(field);
    if (!PrintField(printer, vectors))
        ShowMessage(parent, QStringLiteral("Не удалось напечатать график."), QMessageBox::Critical);
}

} // namespace kurvanto
