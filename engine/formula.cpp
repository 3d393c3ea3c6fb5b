// The formula engine's module state, the character-pair checker and the text hand-over.
#include "formula.h"

#include <cstring>

namespace kurvanto {

char FormulaText[kFormulaBufferSize] = {};
char FormulaStatus = 'n';

namespace {

// Exact, case-sensitive membership; the terminator is a member of no set.
bool InSet(char c, const char *set) {
    return c != '\0' && std::strchr(set, c) != nullptr;
}

// The four character-pair rules: which character d may follow the character c.
bool PairAllowed(char c, char d) {
    bool ok = true;
    // After an operator or an opening parenthesis an operand must begin.
    if (InSet(c, "(+-*/^") && !InSet(d, " (-1234567890AaxXsScCTtCcLlEePpIiFf"))
        ok = false;
    // After the end of an operand: a space, a digit, ")", ",", an operator or "n".
    if (InSet(c, "1234567890xXiIEe),") && !InSet(d, " 1234567890)Nn,+-*/^"))
        ok = false;
    // No digit, comma or parenthesis directly after x, e or i.
    if (InSet(c, "XxiIEe") && InSet(d, "1234567890,("))
        ok = false;
    // A p only as the start of "pi".
    if (InSet(c, "Pp") && !InSet(d, "iI"))
        ok = false;
    return ok;
}

// Length of the UTF-8 sequence that starts with byte b; 1 for a stray byte.
int Utf8Length(unsigned char b) {
    if (b >= 0xF0 && b <= 0xF4)
        return 4;
    if (b >= 0xE0)
        return b <= 0xEF ? 3 : 1;
    if (b >= 0xC2)
        return 2;
    return 1;
}

bool IsContinuation(unsigned char b) {
    return (b & 0xC0) == 0x80;
}

} // namespace

void SetFormulaText(const std::string &utf8) {
    std::size_t in = 0;
    int out = 0;
    while (in < utf8.size() && out < kFormulaMaxLength) {
        unsigned char b = static_cast<unsigned char>(utf8[in]);
        if (b == 0)
            break;
        if (b < 0x80) {
            FormulaText[out++] = static_cast<char>(b);
            ++in;
            continue;
        }
        // One character outside ASCII, however many bytes it takes.
        std::size_t len = static_cast<std::size_t>(Utf8Length(b));
        std::size_t taken = 1;
        while (taken < len && in + taken < utf8.size() &&
               IsContinuation(static_cast<unsigned char>(utf8[in + taken])))
            ++taken;
        FormulaText[out++] = kNonAsciiChar;
        in += taken;
    }
    std::memset(FormulaText + out, 0, sizeof FormulaText - static_cast<std::size_t>(out));
}

void CheckFormula() {
    int length = static_cast<int>(strnlen(FormulaText, kFormulaMaxLength));
    // Every pair (c, d); a space never leads a pair, and the scan never stops early.
    for (int i = 0; i + 1 < length; ++i) {
        char c = FormulaText[i];
        if (c == ' ')
            continue;
        if (!PairAllowed(c, FormulaText[i + 1]))
            FormulaStatus = 'f';
    }
}

} // namespace kurvanto
