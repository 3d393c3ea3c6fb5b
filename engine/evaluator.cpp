// The evaluator: a scanner with one token of lookahead and a recursive-descent reader that
// computes while it reads.
//
// What the reader does with a text never depends on the values it computes: the tokens alone
// decide which steps run and in which order (a failure only changes the status and the value
// carried on). So the reader can also run once over a text to record its steps, every
// effect in its place (the 'f' of a character outside the alphabet, the conversion error of a
// malformed number, each operation), and every later call with the same text replays that
// record at its x. Replaying gives the same values, statuses and errors as reading.
#include <charconv>
#include <cstring>
#include <string>
#include <vector>

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

// True when the text changed since the last call (and its scans were forgotten).
bool ForgetScansIfTextChanged() {
    if (std::memcmp(ScannedText, FormulaText, sizeof ScannedText) == 0)
        return false;
    std::memcpy(ScannedText, FormulaText, sizeof ScannedText);
    for (auto &s : Scans)
        s.known = false;
    return true;
}

const Scan *Current = nullptr;

// The steps of a reading. A reader hands each one to its output: Immediate carries it out at
// once; Recorder writes it down for a replay.
enum class Step : std::uint8_t { Push, PushX, Fail, BadNumber, Negate, Binary, Apply };

struct Recorded {
    Step step;
    char op = 0;                        // Binary: one of "+-*/^"
    double value = 0;                   // Push
    TableFunction function = nullptr;   // Apply; nullptr is a name not in the table
    std::int32_t start = 0, length = 0; // BadNumber: the run in the formula
};

constexpr int kStackSize = 2 * kFormulaBufferSize; // more than the values one text can hold

// Carries the steps out on a stack of values.
class Immediate {
  public:
    void push(double v) { stack_[top_++] = v; }
    void pushX() { push(static_cast<double>(XValue)); }
    void fail() { FormulaStatus = 'f'; }
    [[noreturn]] void badNumber(std::int32_t start, std::int32_t length) {
        throw ConversionError(std::string(FormulaText + start, static_cast<std::size_t>(length)));
    }
    void negate() { stack_[top_ - 1] = -stack_[top_ - 1]; }
    void binary(char op) {
        const double w = stack_[--top_];
        double &v = stack_[top_ - 1];
        switch (op) {
        case '+':
            v = Add(v, w);
            break;
        case '-':
            v = Subtract(v, w);
            break;
        case '*':
            v = Multiply(v, w);
            break;
        case '/':
            v = Divide(v, w);
            break;
        default:
            v = RaisePower(v, w);
            break;
        }
    }
    void apply(TableFunction function) {
        double &v = stack_[top_ - 1];
        double result;
        if (!function)
            FormulaStatus = 'f'; // a name not in the table; the value is carried on
        else if (!function(v, result))
            FormulaStatus = 'm'; // outside the domain; the argument is carried on
        else
            v = result;
    }
    double result() const { return stack_[top_ - 1]; }

    void replay(const std::vector<Recorded> &record) {
        for (const Recorded &r : record) {
            switch (r.step) {
            case Step::Push:
                push(r.value);
                break;
            case Step::PushX:
                pushX();
                break;
            case Step::Fail:
                fail();
                break;
            case Step::BadNumber:
                badNumber(r.start, r.length);
            case Step::Negate:
                negate();
                break;
            case Step::Binary:
                binary(r.op);
                break;
            case Step::Apply:
                apply(r.function);
                break;
            }
        }
    }

  private:
    double stack_[kStackSize];
    int top_ = 0;
};

// Writes the steps down. The reading ends at a malformed number, as it would by the error.
class Recorder {
  public:
    struct Stop {};
    explicit Recorder(std::vector<Recorded> &record) : record_(record) {}
    void push(double v) { record_.push_back({Step::Push, 0, v}); }
    void pushX() { record_.push_back({Step::PushX}); }
    void fail() { record_.push_back({Step::Fail}); }
    [[noreturn]] void badNumber(std::int32_t start, std::int32_t length) {
        record_.push_back({Step::BadNumber, 0, 0, nullptr, start, length});
        throw Stop{};
    }
    void negate() { record_.push_back({Step::Negate}); }
    void binary(char op) { record_.push_back({Step::Binary, op}); }
    void apply(TableFunction function) { record_.push_back({Step::Apply, 0, 0, function}); }

  private:
    std::vector<Recorded> &record_;
};

// The reader, over either output.
template <class Out> class Reader {
  public:
    explicit Reader(Out &out) : out_(out) {}

    // Reads the whole formula: the first token, the empty-formula test, the expression.
    void formula() {
        ScanPos = 0;
        nextToken();
        if (TokenKind == kEnd)
            out_.fail(); // empty or blank formula; the reading still goes on
        expression();
    }

  private:
    // NextToken: advances the scanner by one token. The token's text stays where it is in
    // the formula buffer.
    void nextToken() {
        const Scan &s = ScanAt(ScanPos);
        Current = &s;
        if (s.badNumber)
            out_.badNumber(s.start, s.length);
        if (s.outsideAlphabet)
            out_.fail();
        TokenKind = s.kind;
        TokenFirst = s.length > 0 ? FormulaText[s.start] : '\0';
        if (s.kind == kNumber)
            NumberValue = s.number;
        ScanPos = s.next;
    }

    static bool tokenIs(char c) { return TokenKind == kOperator && TokenFirst == c; }

    // primary: a number, x, pi or e
    void primary() {
        switch (TokenKind) {
        case kNumber:
            out_.push(static_cast<double>(NumberValue));
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
        default:
            out_.fail();
            out_.push(kMissingPrimary);
            return;
        }
        nextToken();
    }

    // group: "(" expression ")" | primary
    void group() {
        if (!tokenIs('(')) {
            primary();
            return;
        }
        nextToken();
        expression();
        nextToken(); // steps past the closing parenthesis without testing it
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
        if (TokenKind != kName) {
            signedOperand();
            return;
        }
        const TableFunction function = Current->function; // the name, looked up in the table
        nextToken();
        signedOperand();
        out_.apply(function);
    }

    // power: application {"^" application}, from left to right
    void power() {
        application();
        while (tokenIs('^')) {
            nextToken();
            application();
            out_.binary('^');
        }
    }

    // term: power {("*" | "/") power}
    void term() {
        power();
        while (tokenIs('*') || tokenIs('/')) {
            const char op = TokenFirst;
            nextToken();
            power();
            out_.binary(op);
        }
    }

    // expression: term {("+" | "-") term}
    void expression() {
        term();
        while (tokenIs('+') || tokenIs('-')) {
            const char op = TokenFirst;
            nextToken();
            term();
            out_.binary(op);
        }
    }

    Out &out_;
};

// The record of the current text; empty until the first call after the text changed.
std::vector<Recorded> Record;
bool RecordValid = false;

void RecordReading() {
    Record.clear();
    Recorder recorder(Record);
    try {
        Reader<Recorder>(recorder).formula();
    } catch (const Recorder::Stop &) {
    }
    RecordValid = true;
}

} // namespace

void SetScanCacheEnabled(bool enabled) {
    CacheEnabled = enabled;
    std::memset(ScannedText, 0, sizeof ScannedText);
    for (auto &s : Scans)
        s.known = false;
    RecordValid = false;
}

double EvaluateFormula(double x) {
    if (ForgetScansIfTextChanged())
        RecordValid = false;
    XValue = x;
    Immediate out;
    if (!CacheEnabled) {
        Reader<Immediate>(out).formula();
        return out.result();
    }
    if (!RecordValid)
        RecordReading();
    out.replay(Record);
    return out.result();
}

} // namespace kurvanto
