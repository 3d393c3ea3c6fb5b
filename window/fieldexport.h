// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Saving, exporting and printing the field: BMP and PNG as shown, SVG and PDF and the printer
// as vectors, the field drawn again from its display list at its own size.
#include <QImage>
#include <QString>
#include <QStringList>

#include "displaylist.h"
#include "imagefile.h"
#include "plotstate.h"
#include "vectorfield.h"

class QPrinter;

namespace kurvanto {

enum class SaveFormat { Bmp, Png, Svg, Pdf };

// The save dialog's filters, the program's own bitmap first; and a filter's file suffix.
QStringList SaveFilters();
QString FilterSuffix(const QString &filter);

// A known extension typed in the name decides (any letter case); otherwise the chosen filter.
SaveFormat SaveFormatFor(const QString &fileName, const QString &filter);

// The field drawn again from its list at the state's ranges and size into `field`; when the
// list is empty, the shown picture stands in for it. The state is left as it was.
void RecordField(const PlotState &state, const DisplayList &list, const FieldOptions &options,
                 const QImage &shown, VectorRecorder &field);

// Writes the field in the format, all or nothing: the shown picture for BMP and PNG, the
// vectors for SVG and PDF.
WriteResult SaveField(const QString &fileName, SaveFormat format, const QImage &shown,
                      const PlotState &state, const DisplayList &list, const FieldOptions &options);

// Prints the field on one page of the printer, scaled to the page with its aspect kept; false
// when the printer could not start (an output file that cannot be written, for one).
bool PrintField(QPrinter &printer, const VectorRecorder &field);

} // namespace kurvanto
