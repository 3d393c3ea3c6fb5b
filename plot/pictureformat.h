// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The picture formats a field can be written in, in one table: the window's save dialog and
// the tool's --format and extension rule both read it.
#include <QString>
#include <QStringList>
#include <string>
#include <vector>

namespace kurvanto {

enum class PictureFormat { Bmp, Png, Jpg, Ppm, Svg, Pdf };

struct PictureFormatInfo {
    PictureFormat format;
    const char *name;                     // as --format takes it
    const char *writerName;               // "BMP", "PNG" ...: what the whole-file writer is given
    std::vector<const char *> extensions; // lower case, the suffix a bare name gets first
    const char *filter;                   // the save dialog's filter
    bool vector;                          // drawn again as lines and text (SVG, PDF)
    bool inWindow;                        // offered by the window's save dialog
};

// Every format, the program's own bitmap first.
const std::vector<PictureFormatInfo> &PictureFormats();
const PictureFormatInfo &FormatInfo(PictureFormat format);

// The format one of whose extensions (or names) is `text`, in any letter case; nullptr when
// there is none.
const PictureFormatInfo *FormatOfExtension(const std::string &text);

// For messages: "bmp, png, jpg, ppm, svg или pdf", "bmp|png|jpg|ppm|svg|pdf" and
// ".bmp, .png, .jpg, .jpeg, .ppm, .svg или .pdf".
std::string FormatNamesText();
std::string FormatNamesSynopsis();
std::string ExtensionsText();

// The window's save dialog: its filters, the program's own bitmap first, and a filter's suffix.
QStringList SaveFilters();
QString FilterSuffix(const QString &filter);

// The window's choice: an extension of a format the dialog offers, typed in the name, decides
// (any letter case); otherwise the chosen filter; otherwise BMP.
PictureFormat SaveFormatFor(const QString &fileName, const QString &filter);

} // namespace kurvanto
