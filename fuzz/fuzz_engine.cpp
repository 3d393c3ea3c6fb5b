// SPDX-License-Identifier: GPL-3.0-or-later
// libFuzzer target: the checker, the evaluator and the acceptance on arbitrary bytes, cut to
// the formula box's limit. The conversion error of a malformed number is the only exception
// allowed; evaluating the same text twice at the same x gives the same bits and status; the
// compiled program gives exactly what the reference reading gives; the acceptance finds a
// fault inside the text whenever the checker or the evaluator finds one.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include "acceptance.h"
#include "errors.h"
#include "formula.h"
#include "parameters.h"
#include "program.h"

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
