// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Printing the field: as vectors, drawn again from its list, scaled to the page.
#include "field.h"
#include "imagefile.h"
#include "vectorfield.h"

class QPrinter;
class QWidget;

namespace kurvanto {

// Prints the field on one page of the printer, scaled to the page with its aspect kept; false
// when the printer could not start (an output file that cannot be written, for one).
bool PrintField(QPrinter &printer, const VectorRecorder &field);

// The field as it is printed: its vectors, on white paper where its background is the
// default button colour.
VectorRecorder FieldOnPaper(const Field &field);

// Printing to a PDF file: the printer's page drawn into a new file that takes the old one's place
// only when whole, so that a failure leaves the old file as it was and says why.
WriteResult PrintFieldToPdfFile(QWidget *parent, const QPrinter &printer,
                                const VectorRecorder &field);

// The window's "Печать...": the print dialog, then the field on the chosen printer (a PDF file
// when no printer is set up, written whole); a message when there is no graph or the
// printing failed.
void PrintFieldWithDialog(QWidget *parent, const Field &field);

} // namespace kurvanto
