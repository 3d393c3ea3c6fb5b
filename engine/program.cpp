// SPDX-License-Identifier: GPL-3.0-or-later
// The compiled formula: the reader runs once over a text and writes its steps down; every
// evaluation then carries the steps out at its x on a small stack of its own.
#include "program.h"

#include <cmath>
#include <stdexcept>

#include "compiled.h"
#include "errors.h"
#include "formulatext.h"
#include "reader.h"

namespace kurvanto {

namespace {

// More than the values one text can hold: each value on the stack stands for a primary, and
// 80 characters hold fewer than that many.
constexpr int kStackSize = 2 * kFormulaBufferSize;

// See ProgramStep::sign. NegativeBaseSign stores no failure for such an exponent.
std::int8_t NegativeExponentSign(double p) {
    if (std::fabs(p) < kPowerZeroLimit)
        return 2;
    char status = 'n';
    return static_cast<std::int8_t>(NegativeBaseSign(p, status));
}

// Writes the steps down. The reading ends at a malformed number, as it does by the error.
class Recorder {
  public:
    struct Stop {};
    explicit Recorder(CompiledFormula &out) : out_(out) {}

    void push(double v) { add({Op::Push, 0, 0, 0, v}, 1); }
    void pushX() { add({Op::PushX}, 1); }
    void fail() { add({Op::Fail}, 0); }
    [[noreturn]] void badNumber(std::int32_t start, std::int32_t length) {
        add({Op::BadNumber, 0, start, length}, 0);
        throw Stop{};
    }
    void negate() { add({Op::Negate}, 0); }
    void binary(char op) {
        // An operand pushed just before is folded into the operation.
        ProgramStep &last = out_.steps.back();
        if (last.op == Op::Push) {
            last = {Op::BinaryC, op, 0, 0, last.value};
            if (op == '^')
                last.sign = NegativeExponentSign(last.value);
        } else if (last.op == Op::PushX)
            last = {Op::BinaryX, op};
        else
            out_.steps.push_back({Op::Binary, op});
        --depth_;
    }
    void apply(TableFunction function) {
        add({Op::Apply, 0, 0, 0, 0, function, static_cast<std::int8_t>(FunctionIndex(function))},
            0);
    }
    void fault(FaultKind kind, std::int32_t start, std::int32_t length, std::int32_t beforeStart,
               std::int32_t beforeLength) {
        out_.faults.push_back({kind, start, length, beforeStart, beforeLength});
    }
    void negatedBase(std::int32_t signStart, std::int32_t baseEnd, std::int32_t end) {
        out_.negatedBases.push_back({signStart, baseEnd, end});
    }

  private:
    void add(const ProgramStep &step, int pushed) {
        out_.steps.push_back(step);
        depth_ += pushed;
        if (depth_ > out_.depth)
            out_.depth = depth_;
    }

    CompiledFormula &out_;
    int depth_ = 0;
};

inline double Combine(char op, double v, double w, char &status) {
    switch (op) {
    case '+':
        return Add(v, w, status);
    case '-':
        return Subtract(v, w, status);
    case '*':
        return Multiply(v, w, status);
    case '/':
        return Divide(v, w, status);
    default:
        return RaisePower(v, w, status);
    }
}

inline void ApplyFunction(TableFunction function, double &v, char &status) {
    double result;
    if (!function)
        status = 'f'; // a name not in the table; the value is carried on
    else if (!function(v, result))
        status = 'm'; // outside the domain; the argument is carried on
    else
        v = result;
}

const std::shared_ptr<const CompiledFormula> &EmptyFormula() {
    static const std::shared_ptr<const CompiledFormula> empty = CompileFormula(std::string());
    return empty;
}

} // namespace

std::shared_ptr<const CompiledFormula> CompileFormula(const std::string &held,
                                                      const ParameterValues *parameters) {
    auto compiled = std::make_shared<CompiledFormula>();
    compiled->text = held.substr(0, held.find('\0'));
    if (compiled->text.size() > static_cast<std::size_t>(kFormulaMaxLength))
        compiled->text.resize(kFormulaMaxLength);
    Recorder recorder(*compiled);
    try {
        reading::Reader<Recorder>(compiled->text.c_str(), recorder, parameters).formula();
    } catch (const Recorder::Stop &) {
    }
    if (compiled->depth > kStackSize)
        throw std::length_error("formula too deep");
    return compiled;
}

double RunFormula(const CompiledFormula &formula, double x, char &status) {
    // The top of the stack is held apart, where the compiler can keep it in a register.
    double stack[kStackSize];
    double top = 0;
    int below = 0; // values under the top
    for (const ProgramStep &s : formula.steps) {
        switch (s.op) {
        case Op::Push:
            stack[below++] = top;
            top = s.value;
            break;
        case Op::PushX:
            stack[below++] = top;
            top = x;
            break;
        case Op::Fail:
            status = 'f';
            break;
        case Op::BadNumber:
            throw ConversionError(formula.text.substr(static_cast<std::size_t>(s.start),
                                                      static_cast<std::size_t>(s.length)));
        case Op::Negate:
            top = -top;
            break;
        case Op::Binary:
            top = Combine(s.binary, stack[--below], top, status);
            break;
        case Op::BinaryC:
            top = Combine(s.binary, top, s.value, status);
            break;
        case Op::BinaryX:
            top = Combine(s.binary, top, x, status);
            break;
        case Op::Apply:
            ApplyFunction(s.function, top, status);
            break;
        }
    }
    return top;
}

FormulaProgram::FormulaProgram() : compiled_(EmptyFormula()) {}

FormulaProgram::FormulaProgram(const std::string &utf8)
    : compiled_(CompileFormula(HoldFormulaText(utf8))) {}

FormulaProgram::FormulaProgram(const std::string &utf8, const ParameterValues &parameters)
    : compiled_(CompileFormula(HoldFormulaText(utf8), &parameters)) {}

double FormulaProgram::Evaluate(double x, char &status) const {
    return RunFormula(*compiled_, x, status);
}

QuickValue FormulaProgram::EvaluateQuick(double x) const {
    return QuickEvaluate(*compiled_, x);
}

QuickValue FormulaProgram::EvaluateQuick(double low, double high) const {
    return QuickEvaluate(*compiled_, low, high);
}

const std::string &FormulaProgram::text() const {
    return compiled_->text;
}

const CompiledFormula &CompiledOf(const FormulaProgram &program) {
    return *program.compiled_;
}

} // namespace kurvanto
