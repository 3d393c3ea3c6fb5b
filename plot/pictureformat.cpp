// SPDX-License-Identifier: GPL-3.0-or-later
#include "pictureformat.h"

#include <QFileInfo>

namespace kurvanto {

namespace {

std::string Lower(std::string text) {
    for (char &c : text)
        c = static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
    return text;
}

// "a, b или c" with each item given its prefix.
std::string Listed(const std::vector<std::string> &items) {
    std::string text;
    for (std::size_t i = 0; i < items.size(); ++i) {
        if (i > 0)
            text += i + 1 == items.size() ? " или " : ", ";
        text += items[i];
    }
    return text;
}

// The dialog hides the patterns of its filters and then names a filter by its name alone
// ("PNG"); either form is known.
const PictureFormatInfo *FormatOfFilter(const QString &filter) {
    for (const PictureFormatInfo &info : PictureFormats()) {
        if (!info.inWindow)
            continue;
        const QString full = QLatin1String(info.filter);
        if (filter == full || filter == full.section(QLatin1String(" ("), 0, 0))
            return &info;
    }
    return nullptr;
}

} // namespace

const std::vector<PictureFormatInfo> &PictureFormats() {
    static const std::vector<PictureFormatInfo> formats = {
        {PictureFormat::Bmp, "bmp", "BMP", {"bmp"}, "Bitmap (*.bmp)", false, true},
        {PictureFormat::Png, "png", "PNG", {"png"}, "PNG (*.png)", false, true},
        {PictureFormat::Jpg, "jpg", "JPG", {"jpg", "jpeg"}, "JPEG (*.jpg *.jpeg)", false, false},
        {PictureFormat::Ppm, "ppm", "PPM", {"ppm"}, "PPM (*.ppm)", false, false},
        {PictureFormat::Svg, "svg", "SVG", {"svg"}, "SVG (*.svg)", true, true},
        {PictureFormat::Pdf, "pdf", "PDF", {"pdf"}, "PDF (*.pdf)", true, true},
    };
    return formats;
}

const PictureFormatInfo &FormatInfo(PictureFormat format) {
    for (const PictureFormatInfo &info : PictureFormats())
        if (info.format == format)
            return info;
    return PictureFormats().front();
}

const PictureFormatInfo *FormatOfExtension(const std::string &text) {
    const std::string lower = Lower(text);
    for (const PictureFormatInfo &info : PictureFormats())
        for (const char *extension : info.extensions)
            if (lower == extension)
                return &info;
    return nullptr;
}

std::string FormatNamesText() {
    std::vector<std::string> names;
    for (const PictureFormatInfo &info : PictureFormats())
        names.emplace_back(info.name);
    return Listed(names);
}

std::string FormatNamesSynopsis() {
    std::string text;
    for (const PictureFormatInfo &info : PictureFormats())
        text += (text.empty() ? "" : "|") + std::string(info.name);
    return text;
}

std::string ExtensionsText() {
    std::vector<std::string> extensions;
    for (const PictureFormatInfo &info : PictureFormats())
        for (const char *extension : info.extensions)
            extensions.push_back(std::string(".") + extension);
    return Listed(extensions);
}

QStringList SaveFilters() {
    QStringList filters;
    for (const PictureFormatInfo &info : PictureFormats())
        if (info.inWindow)
            filters << QLatin1String(info.filter);
    return filters;
}

QString FilterSuffix(const QString &filter) {
    const PictureFormatInfo *info = FormatOfFilter(filter);
    return QLatin1String(info != nullptr ? info->extensions.front() : "bmp");
}

PictureFormat SaveFormatFor(const QString &fileName, const QString &filter) {
    const PictureFormatInfo *typed =
        FormatOfExtension(QFileInfo(fileName).suffix().toUtf8().toStdString());
    if (typed != nullptr && typed->inWindow)
        return typed->format;
    const PictureFormatInfo *chosen = FormatOfFilter(filter);
    return chosen != nullptr ? chosen->format : PictureFormat::Bmp;
}

} // namespace kurvanto
