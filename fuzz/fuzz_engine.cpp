// libFuzzer target: the checker and the evaluator on arbitrary bytes, cut to the formula
// box's limit. The conversion error of a malformed number is the only exception allowed;
// evaluating the same text twice at the same x gives the same bits and status.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include "errors.h"
#include "formula.h"

namespace {

struct Result {
    char status;
    double value;
    bool threw;
};

Result Evaluate(double x) {
    kurvanto::FormulaStatus = 'n';
    try {
        double v = kurvanto::EvaluateFormula(x);
        return {kurvanto::FormulaStatus, v, false};
    } catch (const kurvanto::ConversionError &) {
        return {kurvanto::FormulaStatus, 0, true};
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
    kurvanto::SetFormulaText(std::string(reinterpret_cast<const char *>(data), size));
    kurvanto::FormulaStatus = 'n';
    kurvanto::CheckFormula();
    if (kurvanto::FormulaStatus != 'n' && kurvanto::FormulaStatus != 'f')
        std::abort();
    for (double x : {fuzzedX, -3.0, 0.0, 2.0, 1e-310, 1e300}) {
        Result a = Evaluate(x);
        Result b = Evaluate(x);
        if (a.threw != b.threw || a.status != b.status)
            std::abort();
        if (a.status != 'n' && a.status != 'f' && a.status != 'm')
            std::abort();
        if (!a.threw && std::memcmp(&a.value, &b.value, sizeof a.value) != 0)
            std::abort();
    }
    return 0;
}
