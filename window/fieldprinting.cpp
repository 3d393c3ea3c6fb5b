// SPDX-License-Identifier: GPL-3.0-or-later
#include "fieldprinting.h"

#include <QBuffer>
#include <QDir>
#include <QPainter>
#include <QPdfWriter>
#include <QPrintDialog>
#include <QPrinter>

#include "filereason.h"
#include "imagefile.h"
#include "inplacetarget.h"
#include "uiseam.h"

namespace kurvanto {

namespace {

// The page the printer would print, as a PDF drawn into the device: the printer's page
// layout and resolution, the field scaled to the page.
bool DrawPdfPage(QIODevice &device, const QPrinter &printer, const VectorRecorder &field) {
    QPdfWriter pdf(&device);
    pdf.setTitle(printer.docName());
    pdf.setCreator(QStringLiteral("Kurvanto"));
    pdf.setResolution(printer.resolution());
    pdf.setPageLayout(printer.pageLayout());
    QPainter painter;
    if (field.size().isEmpty() || !painter.begin(&pdf))
        return false;
    DrawVectorFieldInto(painter, field, QRectF(0, 0, pdf.width(), pdf.height()));
    return painter.end();
}

} // namespace

WriteResult PrintFieldToPdfFile(QWidget *parent, const QPrinter &printer,
                                const VectorRecorder &field) {
    const QString file = printer.outputFileName();
    if (!IsInPlaceTarget(file))
        return WriteFileWhole(
            file, [&](QIODevice &device) { return DrawPdfPage(device, printer, field); });
    QByteArray bytes; // a FIFO or a device: made in memory, written without waiting
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (DrawPdfPage(buffer, printer, field))
        return WriteInPlaceTarget(parent, file, bytes);
    WriteResult failed;
    failed.ok = false;
    failed.error = QStringLiteral("не удалось подготовить содержимое файла");
    return failed;
}

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
    if (printer.outputFormat() == QPrinter::PdfFormat && !printer.outputFileName().isEmpty()) {
        // Not through the printer, which would cut the old file short before it knows the
        // new one can be written whole.
        const WriteResult written = PrintFieldToPdfFile(parent, printer, vectors);
        if (!written.ok)
            ShowMessage(parent,
                        QStringLiteral("Не удалось напечатать график в файл «%1»: %2")
                            .arg(OneLine(QDir::toNativeSeparators(printer.outputFileName())),
                                 written.error),
                        QMessageBox::Critical);
        return;
    }
    if (!PrintField(printer, vectors))
        ShowMessage(parent, QStringLiteral("Не удалось напечатать график."), QMessageBox::Critical);
}

} // namespace kurvanto
