// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The reading of a formula: a scanner with one token of lookahead and a recursive-descent
// reader that hands every step to an output as it meets it. The compiler's output writes the
// steps down (program.cpp); the reference output carries them out at once (evaluator.cpp).
//
// What the reader does with a text never depends on the values it computes: the tokens alone
// decide which steps run and in which order (a failure only changes the status and the value
// carried on). The reader keeps all its state in itself; any number may run at once.
//
// An output provides:
//   push(double), pushX(), fail()                    a value, x, the status 'f'
//   badNumber(start, length)                         the conversion error of a number run
//   negate(), binary(op), apply(function)            the operations ('m' on a failure)
//   fault(kind, start, length, beforeStart, beforeLength)
//       a malformed spot of the text, for the acceptance; before* is the token in front of
//       it (-1 when there is none)
//   negatedBase(signStart, baseEnd, end)
//       a "-" sign whose operand is the base of a power ("-x^2", read as (-x)^2): where the
//       sign is, where its operand and where the power end (after their last characters)
#include <charconv>
#include <cstdint>
#include <cstring>
#include <string>

#include "acceptance.h"
#include "arithmetic.h"
#include "formula.h"
#include "parameters.h"

namespace kurvanto::reading {

enum TokenKinds : std::int32_t {
    kNumber = 0,
    kOperator = 1,
    kVariable = 2,
    kName = 3,
    kEnd = 4,
    kPi = 5,
    kE = 6,
    kParameter = 7,
};

// The formula constants, the doubles nearest these ten-decimal numbers.
constexpr double kPiConstant = 3.1415926535;
constexpr double kEConstant = 2.7182818284;

// What a missing primary carries on with. Any value would do; this one keeps every function
// and power defined, so the reading does not turn the malformed status into 'm' by chance.
constexpr double kMissingPrimary = 1.0 / 3.0;

// One token, as scanned from a position.
struct Token {
    std::int32_t kind = kEnd;
    std::int32_t start = 0, length = 0, next = 0;
    bool outsideAlphabet = false; // stores 'f'; the token is the end of text
    bool badNumber = false;       // raises the conversion error
    long double number = 0;
    TableFunction function = nullptr; // for a name: its entry in the function table
    int parameter = -1;               // for a parameter: its index

    bool genuineEnd() const { return kind == kEnd && !outsideAlphabet; }
    std::int32_t span() const { return next - start; } // 'pi' spans its two letters
};

inline bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}
inline bool IsLetter(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

// The text-to-real conversion of a run of digits and commas; the comma is the decimal
// separator whatever the user's locale. Two commas make the run invalid.
inline bool ConvertNumber(const char *run, std::int32_t length, long double &value) {
    char text[kFormulaBufferSize];
    int commas = 0;
    for (std::int32_t i = 0; i < length; ++i) {
        text[i] = run[i] == ',' ? '.' : run[i];
        commas += run[i] == ',';
    }
    auto [end, error] = std::from_chars(text, text + length, value);
    return commas <= 1 && error == std::errc() && end == text + length;
}

inline TableFunction LookUp(const char *name, std::int32_t length) {
    std::string upper(name, static_cast<std::size_t>(length));
    for (char &ch : upper)
        if (ch >= 'a' && ch <= 'z')
            ch = static_cast<char>(ch - 'a' + 'A');
    return FindFunction(upper);
}

// The scanner's tests, in their order, from position pos of a zero-terminated text of which
// at most the first 80 characters count. With parameters on, a letter of a parameter that
// stands alone is a token of its own.
inline Token ScanFrom(const char *text, std::int32_t pos, bool parameters = false) {
    auto at = [text](std::int32_t p) { return p < kFormulaMaxLength ? text[p] : '\0'; };
    Token s;
    while (at(pos) == ' ' && pos != kFormulaMaxLength)
        ++pos;
    const char c = at(pos);
    s.start = s.next = pos;
    if (c == '\0') {
        s.kind = kEnd;
    } else if (std::strchr("+-/*^()", c)) {
        s.kind = kOperator;
        s.length = 1;
    } else if (c == 'x' || c == 'X') {
        s.kind = kVariable;
        s.length = 1;
    } else if (c == 'e' || c == 'E') {
        s.kind = kE;
        s.length = 1;
    } else if ((c == 'p' || c == 'P') && (at(pos + 1) == 'i' || at(pos + 1) == 'I')) {
        s.kind = kPi;
        s.length = 1;
        s.next = pos + 1; // the text is the p only; the i is passed over too
    } else if (IsDigit(c)) {
        while (IsDigit(at(pos + s.length)) || at(pos + s.length) == ',')
            ++s.length;
        s.kind = kNumber;
        s.badNumber = !ConvertNumber(text + pos, s.length, s.number);
    } else if (IsLetter(c)) {
        while (IsLetter(at(pos + s.length)))
            ++s.length;
        s.kind = kName;
        s.function = LookUp(text + pos, s.length);
        if (parameters && s.length == 1 && ParameterIndex(c) >= 0 &&
            (pos == 0 || !IsLetter(at(pos - 1)))) {
            s.kind = kParameter;
            s.parameter = ParameterIndex(c);
        }
    } else {
        s.kind = kEnd; // outside the formula alphabet: the reading ends here
        s.outsideAlphabet = true;
    }
    s.next += s.length;
    return s;
}

// The reader, over any output.
template <class Out> class Reader {
  public:
    // Without values the parameters' letters are names, as they always were.
    Reader(const char *text, Out &out, const ParameterValues *parameters = nullptr)
        : text_(text), out_(out), parameters_(parameters) {}

    // Reads the whole formula: the first token, the empty-formula test, the expression.
    void formula() {
        scanPos_ = 0;
        nextToken();
        if (token_.kind == kEnd) {
            out_.fail(); // empty or blank formula; the reading still goes on
            if (!token_.outsideAlphabet)
                out_.fault(FaultKind::Empty, 0, 0, -1, -1);
        }
        expression();
        // The text after the end of the formula is not read.
        if (token_.kind != kEnd)
            out_.fault(FaultKind::Trailing, token_.start,
                       static_cast<std::int32_t>(strnlen(text_, kFormulaMaxLength)) - token_.start,
                       -1, -1);
    }

    // Reads one power from the token at pos on; returns where its last token ends.
    std::int32_t powerFrom(std::int32_t pos) {
        scanPos_ = pos;
        nextToken();
        power();
        return lastEnd();
    }

  private:
    // NextToken: advances the scanner by one token.
    void nextToken() {
        if (token_.kind != kEnd) {
            beforeStart_ = token_.start;
            beforeLength_ = token_.span();
        }
        token_ = ScanFrom(text_, scanPos_, parameters_ != nullptr);
        if (token_.badNumber) {
            out_.fault(FaultKind::Number, token_.start, token_.length, -1, -1);
            out_.badNumber(token_.start, token_.length);
        }
        if (token_.outsideAlphabet) {
            out_.fail();
            out_.fault(FaultKind::Character, token_.start, 1, -1, -1);
        }
        scanPos_ = token_.next;
    }

    bool tokenIs(char c) const { return token_.kind == kOperator && text_[token_.start] == c; }
    char tokenFirst() const { return text_[token_.start]; }

    // primary: a number, x, pi or e
    void primary() {
        switch (token_.kind) {
        case kNumber:
            out_.push(static_cast<double>(token_.number));
            break;
        case kVariable:
            out_.pushX();
            break;
        case kPi:
            out_.push(kPiConstant);
            break;
        case kE:
            out_.push(kEConstant);
            break;
        case kParameter:
            out_.push(parameters_->value[static_cast<std::size_t>(token_.parameter)]);
            break;
        default:
            out_.fail();
            missingOperand();
            out_.push(kMissingPrimary);
            return;
        }
        nextToken();
    }

    // Where a primary must stand and none does: the token in its place, or at the end of the
    // text the token that wanted it. A name there follows a sign (or another name): "-sin(x)".
    void missingOperand() {
        if (token_.kind == kName && beforeStart_ >= 0 && text_[beforeStart_] == '-')
            out_.fault(token_.function ? FaultKind::SignBeforeName : FaultKind::UnknownName,
                       token_.start, token_.length, beforeStart_, beforeLength_);
        else if (!token_.genuineEnd())
            out_.fault(FaultKind::Operand, token_.start, token_.span() > 0 ? token_.span() : 1,
                       beforeStart_, beforeLength_);
        else if (beforeStart_ >= 0)
            out_.fault(FaultKind::Operand, beforeStart_, beforeLength_, beforeStart_,
                       beforeLength_);
        // else the text is blank: the empty formula says it all
    }

    // group: "(" expression ")" | primary
    void group() {
        if (!tokenIs('(')) {
            primary();
            return;
        }
        nextToken();
        expression();
        // Steps past the closing parenthesis without testing it. A missing one at the end of
        // the text is harmless; another token in its place is a fault of the text.
        if (!tokenIs(')') && token_.kind != kEnd)
            out_.fault(FaultKind::Closing, token_.start, token_.span(), -1, -1);
        nextToken();
    }

    // signed operand: ["-"] group
    void signedOperand() {
        if (!tokenIs('-')) {
            group();
            return;
        }
        nextToken();
        group();
        out_.negate();
    }

    // application: [name] signed operand
    void application() {
        if (token_.kind != kName) {
            signedOperand();
            return;
        }
        const TableFunction function = token_.function; // the name, looked up in the table
        if (!function)
            out_.fault(FaultKind::UnknownName, token_.start, token_.length, -1, -1);
        nextToken();
        signedOperand();
        out_.apply(function);
    }

    // power: application {"^" application}, from left to right
    void power() {
        const std::int32_t start = token_.start;
        const bool negated = tokenIs('-'); // no name: the application is a signed operand
        application();
        const std::int32_t baseEnd = lastEnd();
        const bool raised = tokenIs('^');
        while (tokenIs('^')) {
            nextToken();
            application();
            out_.binary('^');
        }
        if (negated && raised)
            out_.negatedBase(start, baseEnd, lastEnd());
    }

    // Where the last token taken ends.
    std::int32_t lastEnd() const { return beforeStart_ + beforeLength_; }

    // term: power {("*" | "/") power}
    void term() {
        power();
        while (tokenIs('*') || tokenIs('/')) {
            const char op = tokenFirst();
            nextToken();
            power();
            out_.binary(op);
        }
    }

    // expression: term {("+" | "-") term}
    void expression() {
        term();
        while (tokenIs('+') || tokenIs('-')) {
            const char op = tokenFirst();
            nextToken();
            term();
            out_.binary(op);
        }
    }

    const char *text_;
    Out &out_;
    const ParameterValues *parameters_;
    std::int32_t scanPos_ = 0;
    Token token_;
    std::int32_t beforeStart_ = -1, beforeLength_ = -1;
};

// An output that keeps nothing: for reading a part of a text only to see where it ends.
struct Silent {
    void push(double) {}
    void pushX() {}
    void fail() {}
    void badNumber(std::int32_t, std::int32_t) {}
    void negate() {}
    void binary(char) {}
    void apply(TableFunction) {}
    void fault(FaultKind, std::int32_t, std::int32_t, std::int32_t, std::int32_t) {}
    void negatedBase(std::int32_t, std::int32_t, std::int32_t) {}
};

// Where the power that begins at pos of a held text ends (after its last character): "sin(x)"
// of "-sin(x)+1". The parameters are read as parameters.
inline std::int32_t PowerEnd(const char *text, std::int32_t pos) {
    Silent silent;
    const ParameterValues values;
    return Reader<Silent>(text, silent, &values).powerFrom(pos);
}

} // namespace kurvanto::reading
