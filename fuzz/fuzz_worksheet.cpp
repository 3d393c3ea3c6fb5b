// SPDX-License-Identifier: GPL-3.0-or-later
// libFuzzer target: reading a worksheet never fails on any bytes; it gives a worksheet or a
// fault, never both, and a worksheet it accepts is written and read back to the same bytes.
#include <QByteArray>
#include <cstdint>
#include <cstdlib>

#include "worksheet.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
    const QByteArray bytes(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
    const kurvanto::WorksheetRead read = kurvanto::ParseWorksheet(bytes);
    if (!read.sheet) {
        if (read.fault.isEmpty())
            std::abort(); // refused without a message
        return 0;
    }
    if (!read.fault.isEmpty())
        std::abort();
    const QByteArray written = kurvanto::WorksheetJson(*read.sheet);
    const kurvanto::WorksheetRead again = kurvanto::ParseWorksheet(written);
    if (!again.sheet || kurvanto::WorksheetJson(*again.sheet) != written)
        std::abort();
    return 0;
}
