// SPDX-License-Identifier: GPL-3.0-or-later
#include "fieldexport.h"

#include <QFileInfo>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <array>

#include "tform1.h"
#include "uiseam.h"

namespace kurvanto {

namespace {

struct FormatRow {
    SaveFormat format;
    const char *filter;
    const char *suffix;
    const char *imageFormat; // for QImageWriter; nullptr: vectors
};

const std::array<FormatRow, 4> kFormats = {{
    {SaveFormat::Bmp, "Bitmap (*.bmp)", "bmp", "BMP"},
    {SaveFormat::Png, "PNG (*.png)", "png", "PNG"},
    {SaveFormat::Svg, "SVG (*.svg)", "svg", nullptr},
    {SaveFormat::Pdf, "PDF (*.pdf)", "pdf", nullptr},
}};

// The dialog hides the patterns of its filters and then names a filter by its name alone
// ("PNG"); either form is known.
const FormatRow *RowOfFilter(const QString &filter) {
    for (const FormatRow &row : kFormats) {
        const QString full = QLatin1String(row.filter);
        if (filter == full || filter == full.section(QLatin1String(" ("), 0, 0))
            return &row;
    }
    return nullptr;
}

const FormatRow &RowOf(SaveFormat format) {
    for (const FormatRow &row : kFormats)
        if (row.format == format)
            return row;
    return kFormats[0];
}

// The build runs of a redraw for a file: a build on an interval keeps its ends, nothing is
// shown or asked.
class QuietHost : public BuildGraphHost {
  public:
    void askInterval() override {}
    void setErrorLabelVisible(bool) override {}
    void showReadoutLabels() override {}
};

} // namespace

QStringList SaveFilters() {
    QStringList filters;
    for (const FormatRow &row : kFormats)
        filters << QLatin1String(row.filter);
    return filters;
}

QString FilterSuffix(const QString &filter) {
    const FormatRow *row = RowOfFilter(filter);
    return QLatin1String(row != nullptr ? row->suffix : "bmp");
}

SaveFormat SaveFormatFor(const QString &fileName, const QString &filter) {
    const QString extension = QFileInfo(fileName).suffix().toLower();
    for (const FormatRow &row : kFormats)
        if (extension == QLatin1String(row.suffix))
            return row.format;
    const FormatRow *row = RowOfFilter(filter);
    return row != nullptr ? row->format : SaveFormat::Bmp;
}

void RecordField(const PlotState &state, const DisplayList &list, const FieldOptions &options,
                 const QImage &shown, VectorRecorder &field) {
    Canvas canvas;
    canvas.setRecorder(&field);
    if (list.empty()) {
        // Nothing to draw again: the picture as it is, at its size.
        field.pictureCleared();
        field.pictureSized(shown.size());
        field.image(shown);
        return;
    }
    PlotState copy = state;
    QuietHost host;
    RedrawField(copy, canvas, list, options, host);
}

WriteResult SaveField(const QString &fileName, SaveFormat format, const QImage &shown,
                      const PlotState &state, const DisplayList &list,
                      const FieldOptions &options) {
    const FormatRow &row = RowOf(format);
    if (row.imageFormat != nullptr)
        return SaveImageFile(shown, fileName, row.imageFormat);
    VectorRecorder field;
    try {
        RecordField(state, list, options, shown, field);
    } catch (...) {
        // The ranges of the shown picture drew it once: drawing it again fails only with them.
        WriteResult failed;
        failed.ok = false;
        failed.error = QStringLiteral("поле не удалось нарисовать заново");
        return failed;
    }
    const QString title = QFileInfo(fileName).completeBaseName();
    return WriteFileWhole(fileName, [&](QIODevice &device) {
        return format == SaveFormat::Svg ? WriteVectorSvg(device, field, title)
                                         : WriteVectorPdf(device, field, title);
    });
}

bool PrintField(QPrinter &printer, const VectorRecorder &field) {
    QPainter painter;
    if (!painter.begin(&printer))
        return false;
    const QRectF page(QPointF(0, 0), QSizeF(printer.width(), printer.height()));
    DrawVectorFieldInto(painter, field, page);
    return painter.end();
}

// The window's "Печать...": the print dialog, then the field as vectors on the chosen printer
// (a PDF file when no printer is set up).
void TForm1::printField() {
    if (state_.GraphPresent == 0) {
        ShowMessage(this, QStringLiteral("Нет графика на поле!!!"));
        return;
    }
    QPrinter printer(QPrinter::HighResolution);
    const auto formulas = displayList_.legend();
    printer.setDocName(formulas.empty() ? QStringLiteral("Kurvanto") : formulas.front().text);
    QPrintDialog dialog(&printer, this);
    dialog.setWindowTitle(QStringLiteral("Печать графика"));
    if (ExecDialog(dialog) != QDialog::Accepted)
        return;
    VectorRecorder field;
    RecordField(state_, displayList_, options_, canvas_.image(), field);
    if (!PrintField(printer, field))
        ShowMessage(this, QStringLiteral("Не удалось напечатать график."), QMessageBox::Critical);
}

} // namespace kurvanto
