// The evaluator: a scanner with one token of lookahead and a recursive-descent reader that
// computes while it reads. Nothing is kept between calls but the scanner's state; every call
// reads the formula again from its first character.
#include <charconv>
#include <cstring>
#include <string>

#include "arithmetic.h"
#include "errors.h"
#include "formula.h"

namespace kurvanto {

namespace {

enum TokenKinds : std::int32_t {
    kNumber = 0,
    kOperator = 1,
    kVariable = 2,
    kName = 3,
    kEnd = 4,
    kPi = 5,
    kE = 6,
};

// The formula constants, the doubles nearest these ten-decimal numbers.
constexpr double kPiConstant = 3.1415926535;
constexpr double kEConstant = 2.7182818284;

// What a missing primary carries on with. Any value would do; this one keeps every function
// and power defined, so the reading does not turn the malformed status into 'm' by chance.
constexpr double kMissingPrimary = 1.0 / 3.0;

std::int32_t ScanPos = 0;
std::int32_t TokenKind = kEnd;
char TokenText[kFormulaBufferSize] = {};
long double NumberValue = 0;
long double XValue = 0;

// The character at a position; the buffer never holds more than 80 characters.
char At(std::int32_t pos) {
    return pos < kFormulaMaxLength ? FormulaText[pos] : '\0';
}

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}
bool IsLetter(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

void SetToken(std::int32_t kind, std::int32_t from, std::int32_t length) {
    TokenKind = kind;
    std::memcpy(TokenText, FormulaText + from, static_cast<std::size_t>(length));
    TokenText[length] = '\0';
}

// The text-to-real conversion of a run of digits and commas; the comma is the decimal
// separator whatever the user's locale. Two commas make the run invalid.
long double ConvertNumber(const char *run, std::int32_t length) {
    char text[kFormulaBufferSize];
    int commas = 0;
    for (std::int32_t i = 0; i < length; ++i) {
        text[i] = run[i] == ',' ? '.' : run[i];
        commas += run[i] == ',';
    }
    long double value = 0;
    auto [end, error] = std::from_chars(text, text + length, value);
    if (commas > 1 || error != std::errc() || end != text + length)
        throw ConversionError(std::string(run, static_cast<std::size_t>(length)));
    return value;
}

// NextToken: advances the scanner by one token.
void NextToken() {
    while (At(ScanPos) == ' ' && ScanPos != kFormulaMaxLength)
        ++ScanPos;
    const char c = At(ScanPos);
    const std::int32_t start = ScanPos;
    if (c == '\0') {
        SetToken(kEnd, start, 0);
    } else if (std::strchr("+-/*^()", c)) {
        SetToken(kOperator, start, 1);
        ++ScanPos;
    } else if (c == 'x' || c == 'X') {
        SetToken(kVariable, start, 1);
        ++ScanPos;
    } else if (c == 'e' || c == 'E') {
        SetToken(kE, start, 1);
        ++ScanPos;
    } else if ((c == 'p' || c == 'P') && (At(start + 1) == 'i' || At(start + 1) == 'I')) {
        SetToken(kPi, start, 1);
        ScanPos += 2;
    } else if (IsDigit(c)) {
        while (IsDigit(At(ScanPos)) || At(ScanPos) == ',')
            ++ScanPos;
        NumberValue = ConvertNumber(FormulaText + start, ScanPos - start);
        SetToken(kNumber, start, ScanPos - start);
    } else if (IsLetter(c)) {
        while (IsLetter(At(ScanPos)))
            ++ScanPos;
        SetToken(kName, start, ScanPos - start);
    } else {
        // Outside the formula alphabet: the reading ends here.
        FormulaStatus = 'f';
        SetToken(kEnd, start, 0);
    }
}

bool TokenIs(char c) {
    return TokenText[0] == c && TokenKind == kOperator;
}

double Expression();

// primary: a number, x, pi or e
double Primary() {
    double v;
    switch (TokenKind) {
    case kNumber:
        v = static_cast<double>(NumberValue);
        break;
    case kVariable:
        v = static_cast<double>(XValue);
        break;
    case kPi:
        v = kPiConstant;
        break;
    case kE:
        v = kEConstant;
        break;
    default:
        FormulaStatus = 'f';
        return kMissingPrimary;
    }
    NextToken();
    return v;
}

// group: "(" expression ")" | primary
double Group() {
    if (!TokenIs('('))
        return Primary();
    NextToken();
    double v = Expression();
    NextToken(); // steps past the closing parenthesis without testing it
    return v;
}

// signed operand: ["-"] group
double SignedOperand() {
    if (TokenIs('-')) {
        NextToken();
        return -Group();
    }
    return Group();
}

// application: [name] signed operand
double Application() {
    if (TokenKind != kName)
        return SignedOperand();
    std::string name(TokenText);
    NextToken();
    double v = SignedOperand();
    for (char &ch : name)
        if (ch >= 'a' && ch <= 'z')
            ch = static_cast<char>(ch - 'a' + 'A');
    TableFunction function = FindFunction(name);
    if (!function) {
        FormulaStatus = 'f';
        return v;
    }
    double result;
    if (!function(v, result)) {
        FormulaStatus = 'm';
        return v;
    }
    return result;
}

// power: application {"^" application}, from left to right
double Power() {
    double v = Application();
    while (TokenIs('^')) {
        NextToken();
        double w = Application();
        v = RaisePower(v, w);
    }
    return v;
}

// term: power {("*" | "/") power}
double Term() {
    double v = Power();
    while (TokenIs('*') || TokenIs('/')) {
        const char op = TokenText[0];
        NextToken();
        double w = Power();
        v = op == '*' ? Multiply(v, w) : Divide(v, w);
    }
    return v;
}

// expression: term {("+" | "-") term}
double Expression() {
    double v = Term();
    while (TokenIs('+') || TokenIs('-')) {
        const char op = TokenText[0];
        NextToken();
        double w = Term();
        v = op == '+' ? Add(v, w) : Subtract(v, w);
    }
    return v;
}

} // namespace

double EvaluateFormula(double x) {
    XValue = x;
    ScanPos = 0;
    NextToken();
    if (TokenKind == kEnd)
        FormulaStatus = 'f'; // empty or blank formula; the reading still goes on
    return Expression();
}

} // namespace kurvanto
