// SPDX-License-Identifier: GPL-3.0-or-later
// The evaluator of the formula buffer: the text in FormulaText is compiled when it changes,
// and each call carries the compiled steps out with FormulaStatus as its status. The
// reference reading, which reads the text afresh and computes as it reads, stays for
// comparison (and behind SetScanCacheEnabled(false)).
#include <cstring>
#include <memory>
#include <optional>
#include <string>

#include "compiled.h"
#include "errors.h"
#include "formula.h"
#include "reader.h"

namespace kurvanto {

namespace {

constexpr int kStackSize = 2 * kFormulaBufferSize; // more than the values one text can hold

// Carries each step out as the reader meets it.
class Immediate {
  public:
    Immediate(const char *text, double x, char &status) : text_(text), x_(x), status_(status) {}

    void push(double v) { stack_[top_++] = v; }
    void pushX() { push(static_cast<double>(x_)); }
    void fail() { status_ = 'f'; }
    [[noreturn]] void badNumber(std::int32_t start, std::int32_t length) {
        throw ConversionError(std::string(text_ + start, static_cast<std::size_t>(length)));
    }
    void negate() { stack_[top_ - 1] = -stack_[top_ - 1]; }
    void binary(char op) {
        const double w = stack_[--top_];
        double &v = stack_[top_ - 1];
        switch (op) {
        case '+':
            v = Add(v, w, status_);
            break;
        case '-':
            v = Subtract(v, w, status_);
            break;
        case '*':
            v = Multiply(v, w, status_);
            break;
        case '/':
            v = Divide(v, w, status_);
            break;
        default:
            v = RaisePower(v, w, status_);
            break;
        }
    }
    void apply(TableFunction function) {
        double &v = stack_[top_ - 1];
        double result;
        if (!function)
            status_ = 'f'; // a name not in the table; the value is carried on
        else if (!function(v, result))
            status_ = 'm'; // outside the domain; the argument is carried on
        else
            v = result;
    }
    void fault(FaultKind, std::int32_t, std::int32_t, std::int32_t, std::int32_t) {}
    void negatedBase(std::int32_t, std::int32_t, std::int32_t) {}
    double result() const { return stack_[top_ - 1]; }

  private:
    const char *text_;
    long double x_; // held at extended precision, rounded to double when read
    char &status_;
    double stack_[kStackSize];
    int top_ = 0;
};

bool CompileEnabled = true;
char CompiledText[kFormulaBufferSize] = {};
std::shared_ptr<const CompiledFormula> Compiled;
std::optional<ParameterValues> Parameters, CompiledParameters;

const ParameterValues *ParametersOrNull(const std::optional<ParameterValues> &values) {
    return values ? &*values : nullptr;
}

} // namespace

bool FormulaParametersOn() {
    return Parameters.has_value();
}

void SetFormulaParameters(const ParameterValues *parameters) {
    if (parameters)
        Parameters = *parameters;
    else
        Parameters.reset();
}

double ReferenceReading(const char *held, double x, char &status,
                        const ParameterValues *parameters) {
    char text[kFormulaBufferSize] = {};
    std::memcpy(text, held, strnlen(held, kFormulaMaxLength));
    Immediate out(text, x, status);
    reading::Reader<Immediate>(text, out, parameters).formula();
    return out.result();
}

void SetScanCacheEnabled(bool enabled) {
    CompileEnabled = enabled;
    Compiled.reset();
}

double EvaluateFormula(double x) {
    if (!CompileEnabled)
        return ReferenceReading(FormulaText, x, FormulaStatus, ParametersOrNull(Parameters));
    if (!Compiled || std::memcmp(CompiledText, FormulaText, sizeof CompiledText) != 0 ||
        CompiledParameters != Parameters) {
        Compiled = CompileFormula(std::string(FormulaText, strnlen(FormulaText, kFormulaMaxLength)),
                                  ParametersOrNull(Parameters));
        std::memcpy(CompiledText, FormulaText, sizeof CompiledText);
        CompiledParameters = Parameters;
    }
    return RunFormula(*Compiled, x, FormulaStatus);
}

} // namespace kurvanto
