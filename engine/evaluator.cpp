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
char TokenFirst = '\0'; // the first character of the current token's text
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

// What scanning from one position finds. Scanning depends on the text alone, so the
// scans of a text are kept until the text changes: every call of EvaluateFormula then
// reads the same tokens, with the same effects, without converting its numbers again.
struct Scan {
    bool known = false;
    bool outsideAlphabet = false; // stores 'f'
    bool badNumber = false;       // raises the conversion error
    std::int32_t kind = kEnd;
    std::int32_t start = 0, length = 0, next = 0;
    long double number = 0;
    TableFunction function = nullptr; // for a name: its entry in the function table
};

Scan Scans[kFormulaMaxLength + 1];
char ScannedText[kFormulaBufferSize] = {};
bool CacheEnabled = true;

// The text-to-real conversion of a run of digits and commas; the comma is the decimal
// separator whatever the user's locale. Two commas make the run invalid.
bool ConvertNumber(const char *run, std::int32_t length, long double &value) {
    char text[kFormulaBufferSize];
    int commas = 0;
    for (std::int32_t i = 0; i < length; ++i) {
        text[i] = run[i] == ',' ? '.' : run[i];
        commas += run[i] == ',';
    }
    auto [end, error] = std::from_chars(text, text + length, value);
    return commas <= 1 && error == std::errc() && end == text + length;
}

TableFunction LookUp(const char *name, std::int32_t length) {
    std::string upper(name, static_cast<std::size_t>(length));
    for (char &ch : upper)
        if (ch >= 'a' && ch <= 'z')
            ch = static_cast<char>(ch - 'a' + 'A');
    return FindFunction(upper);
}

// The scanner's tests, in their order, from position pos.
Scan ScanFrom(std::int32_t pos) {
    Scan s;
    s.known = true;
    while (At(pos) == ' ' && pos != kFormulaMaxLength)
        ++pos;
    const char c = At(pos);
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
    } else if ((c == 'p' || c == 'P') && (At(pos + 1) == 'i' || At(pos + 1) == 'I')) {
        s.kind = kPi;
        s.length = 1;
        s.next = pos + 1; // the text is the p only; the i is passed over too
    } else if (IsDigit(c)) {
        while (IsDigit(At(pos + s.length)) || At(pos + s.length) == ',')
            ++s.length;
        s.kind = kNumber;
        s.badNumber = !ConvertNumber(FormulaText + pos, s.length, s.number);
    } else if (IsLetter(c)) {
        while (IsLetter(At(pos + s.length)))
            ++s.length;
        s.kind = kName;
        s.function = LookUp(FormulaText + pos, s.length);
    } else {
        s.kind = kEnd; // outside the formula alphabet: the reading ends here
        s.outsideAlphabet = true;
    }
    s.next += s.length;
    return s;
}

const Scan &ScanAt(std::int32_t pos) {
    static Scan fresh;
    if (!CacheEnabled) {
        fresh = ScanFrom(pos);
        return fresh;
    }
    Scan &s = Scans[pos];
    if (!s.known)
        s = ScanFrom(pos);
    return s;
}

void ForgetScansIfTextChanged() {
    if (std::memcmp(ScannedText, FormulaText, sizeof ScannedText) == 0)
        return;
    std::memcpy(ScannedText, FormulaText, sizeof ScannedText);
    for (auto &s : Scans)
        s.known = false;
}

const Scan *Current = nullptr;

// NextToken: advances the scanner by one token. The token's text stays where it is in the
// formula buffer (it is never copied: the buffer does not change during a call).
void NextToken() {
    const Scan &s = ScanAt(ScanPos);
    Current = &s;
    if (s.badNumber)
        throw ConversionError(
            std::string(FormulaText + s.start, static_cast<std::size_t>(s.length)));
    if (s.outsideAlphabet)
        FormulaStatus = 'f';
    TokenKind = s.kind;
    TokenFirst = s.length > 0 ? FormulaText[s.start] : '\0';
    if (s.kind == kNumber)
        NumberValue = s.number;
    ScanPos = s.next;
}

bool TokenIs(char c) {
    return TokenKind == kOperator && TokenFirst == c;
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
    const TableFunction function = Current->function; // the name, looked up in the table
    NextToken();
    double v = SignedOperand();
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
        const char op = TokenFirst;
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
        const char op = TokenFirst;
        NextToken();
        double w = Term();
        v = op == '+' ? Add(v, w) : Subtract(v, w);
    }
    return v;
}

} // namespace

void SetScanCacheEnabled(bool enabled) {
    CacheEnabled = enabled;
    std::memset(ScannedText, 0, sizeof ScannedText);
    for (auto &s : Scans)
        s.known = false;
}

double EvaluateFormula(double x) {
    ForgetScansIfTextChanged();
    XValue = x;
    ScanPos = 0;
    NextToken();
    if (TokenKind == kEnd)
        FormulaStatus = 'f'; // empty or blank formula; the reading still goes on
    return Expression();
}

} // namespace kurvanto
