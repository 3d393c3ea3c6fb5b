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
