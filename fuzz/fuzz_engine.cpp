// SPDX-License-Identifier: GPL-3.0-or-later
// libFuzzer target: the checker, the evaluator and the acceptance on arbitrary bytes, cut to
// the formula box's limit. The conversion error of a malformed number is the only exception
// allowed; evaluating the same text twice at the same x gives the same bits and status; the
// compiled program gives exactly what the reference reading gives; the acceptance finds a
// fault inside the text whenever the checker or the evaluator finds one. Where the quick pass
// decides a sample, its status is the compiled program's and its bound holds the compiled
// value, and the row it gives is the one the extended value gives.
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include "acceptance.h"
#include "errors.h"
#include "formula.h"
#include "parameters.h"
#include "program.h"
#include "quickrow.h"

namespace {

struct Result {
    char status;
    double value;
    bool threw;
    std::string message;
};

Result Evaluate(double x) {
    kurvanto::FormulaStatus = 'n';
    try {
        double v = kurvanto::EvaluateFormula(x);
        return {kurvanto::FormulaStatus, v, false, {}};
    } catch (const kurvanto::ConversionError &error) {
        return {kurvanto::FormulaStatus, 0, true, error.what()};
    }
}

Result Reference(double x) {
    kurvanto::SetScanCacheEnabled(false);
    Result r = Evaluate(x);
    kurvanto::SetScanCacheEnabled(true);
    return r;
}

Result Compiled(const kurvanto::FormulaProgram &program, double x) {
    char status = 'n';
    try {
        double v = program.Evaluate(x, status);
        return {status, v, false, {}};
    } catch (const kurvanto::ConversionError &error) {
        return {status, 0, true, error.what()};
    }
}

bool Same(const Result &a, const Result &b) {
    return a.threw == b.threw && a.status == b.status && a.message == b.message &&
           (a.threw || std::memcmp(&a.value, &b.value, sizeof a.value) == 0);
}

// Where the extended value goes on the rows, as the drawing pass works it out: Skip, or Pixel
// with its row (which may lie beyond the 32-bit rows, where the quick pass places nothing).
kurvanto::QuickPlace ExtendedPlace(const Result &r, const kurvanto::QuickRows &rows,
                                   long double &row) {
    if (r.status != 'n' || !(rows.low < r.value && r.value < rows.high))
        return kurvanto::QuickPlace::Skip;
    row = std::rint((static_cast<long double>(rows.yMax) - r.value) / rows.yUnitsPerPixel);
    return kurvanto::QuickPlace::Pixel;
}

// The quick pass at x against the compiled program's result there, on rows of a few scales:
// some from the value itself (its half-way points included), some from the fuzzed x.
void CheckQuick(const kurvanto::FormulaProgram &program, double x, const Result &r,
                double fuzzedX) {
    const kurvanto::QuickValue q = program.EvaluateQuick(x);
    if (!q.decided)
        return;
    if (r.threw || q.status != r.status)
        std::abort();
    // A NaN (at a NaN x) lies in no bound: the quick value is a NaN as well, which no row takes.
    if (q.status == 'n' && r.value != q.value && !(std::isnan(r.value) && std::isnan(q.value)) &&
        !(std::fabs(static_cast<long double>(r.value) - q.value) <= q.error))
        std::abort();
    const double v = std::isfinite(r.value) && r.value != 0 ? std::fabs(r.value) : 1;
    const double unit = std::isnormal(fuzzedX) ? std::fabs(fuzzedX) : 0.75;
    const double scales[][2] = {{0, 1},
                                {r.value, std::ldexp(v, 1)},
                                {r.value + std::ldexp(v, -6), std::ldexp(v, -5)},
                                {r.value + std::ldexp(v, -41), std::ldexp(v, -40)},
                                {0, std::ldexp(v, -30)},
                                {fuzzedX, unit},
                                {-fuzzedX, unit / 64}};
    for (const auto &scale : scales) {
        const long double top = scale[0], value = r.value;
        const long double bands[][2] = {{top - 64 * scale[1] - 1000, top + 1000},
                                        {value, value + 1},
                                        {value - 1, value},
                                        {-1e300L, 1e300L}};
        for (const auto &band : bands) {
            const kurvanto::QuickRows rows(scale[0], scale[1], band[0], band[1]);
            std::int32_t quickRow = 0;
            long double row = 0;
            const kurvanto::QuickPlace place = kurvanto::PlaceQuick(q, rows, quickRow);
            if (place == kurvanto::QuickPlace::Undecided)
                continue;
            if (place != ExtendedPlace(r, rows, row) ||
                (place == kurvanto::QuickPlace::Pixel && row != quickRow))
                std::abort();
        }
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
    double fuzzedX = 1.5;
    if (size >= sizeof(double) + 1 && data[0] == 0xFF) { // an x of its own, then the text
        std::memcpy(&fuzzedX, data + 1, sizeof(double));
        data += sizeof(double) + 1;
        size -= sizeof(double) + 1;
    }
    const std::string text(reinterpret_cast<const char *>(data), size);
    kurvanto::SetFormulaText(text);
    kurvanto::FormulaStatus = 'n';
    kurvanto::CheckFormula();
    if (kurvanto::FormulaStatus != 'n' && kurvanto::FormulaStatus != 'f')
        std::abort();
    bool refused = kurvanto::FormulaStatus == 'f';
    const kurvanto::FormulaProgram program(text);
    if (program.text() != std::string(kurvanto::FormulaText))
        std::abort();
    for (double x : {fuzzedX, -3.0, 0.0, 2.0, 1e-310, 1e300}) {
        Result a = Evaluate(x);
        Result b = Evaluate(x);
        if (!Same(a, b))
            std::abort();
        if (a.status != 'n' && a.status != 'f' && a.status != 'm')
            std::abort();
        if (!Same(a, Reference(x)) || !Same(a, Compiled(program, x)))
            std::abort();
        refused = refused || a.threw || a.status == 'f';
    }
    for (double x :
         {fuzzedX, std::nextafter(fuzzedX, 0.0), -3.0, -1.0, 0.0, 0.5, 1.0, 2.0, 1e-310, 1e300})
        CheckQuick(program, x, Compiled(program, x), fuzzedX);

    const auto fault = kurvanto::FindFormulaFault(text);
    // Read without values, a parameter is an unknown name; the acceptance takes it as the
    // parameter it is, so such a text may be refused here and still have no fault.
    if (refused && !fault && kurvanto::FindParameters(text).empty())
        std::abort();
    if (fault) {
        const int length = static_cast<int>(std::strlen(kurvanto::FormulaText));
        if (fault->kind == kurvanto::FaultKind::Empty) {
            if (fault->position != 1 || fault->length != 0)
                std::abort();
        } else if (fault->position < 1 || fault->length < 1 ||
                   fault->position + fault->length - 1 > length) {
            std::abort();
        }
        if (fault->reason.empty())
            std::abort();
    }
    return 0;
}
