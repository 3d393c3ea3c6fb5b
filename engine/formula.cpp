// SPDX-License-Identifier: GPL-3.0-or-later
// The formula engine's module state, the character-pair checker and the text hand-over.
#include "formula.h"

#include <cstring>

#include "formulatext.h"

namespace kurvanto {

char FormulaText[kFormulaBufferSize] = {};
char FormulaStatus = 'n';

namespace {

// Exact, case-sensitive membership; the terminator is a member of no set.
bool InSet(char c, const char *set) {
    return c != '\0' && std::strchr(set, c) != nullptr;
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

int BrokenPairRule(char c, char d) {
    // After an operator or an opening parenthesis an operand must begin.
    if (InSet(c, "(+-*/^") && !InSet(d, " (-1234567890AaxXsScCTtCcLlEePpIiFf"))
        return 1;
    // After the end of an operand: a space, a digit, ")", ",", an operator or "n".
    if (InSet(c, "1234567890xXiIEe),") && !InSet(d, " 1234567890)Nn,+-*/^"))
        return 2;
    // No digit, comma or parenthesis directly after x, e or i.
    if (InSet(c, "XxiIEe") && InSet(d, "1234567890,("))
        return 3;
    // A p only as the start of "pi".
    if (InSet(c, "Pp") && !InSet(d, "iI"))
        return 4;
    return 0;
}

std::vector<CharacterSpan> SplitCharacters(const std::string &utf8) {
    std::vector<CharacterSpan> characters;
    std::size_t in = 0;
    while (in < utf8.size() && characters.size() < static_cast<std::size_t>(kFormulaMaxLength)) {
        const unsigned char b = static_cast<unsigned char>(utf8[in]);
        if (b == 0)
            break;
        std::size_t taken = 1;
        if (b >= 0x80) { // one character outside ASCII, however many bytes it takes
            const std::size_t len = static_cast<std::size_t>(Utf8Length(b));
            while (taken < len && in + taken < utf8.size() &&
                   IsContinuation(static_cast<unsigned char>(utf8[in + taken])))
                ++taken;
        }
        characters.push_back({in, taken});
        in += taken;
    }
    return characters;
}

std::string HoldFormulaText(const std::string &utf8) {
    std::string held;
    for (const CharacterSpan &c : SplitCharacters(utf8)) {
        const unsigned char b = static_cast<unsigned char>(utf8[c.offset]);
        held += b < 0x80 ? static_cast<char>(b) : kNonAsciiChar;
    }
    return held;
}

void SetFormulaText(const std::string &utf8) {
    const std::string held = HoldFormulaText(utf8);
    std::memset(FormulaText, 0, sizeof FormulaText);
    std::memcpy(FormulaText, held.data(), held.size());
}

void CheckFormula() {
    int length = static_cast<int>(strnlen(FormulaText, kFormulaMaxLength));
    const std::string text = FormulaParametersOn()
                                 ? ParametersAsX(std::string(FormulaText, std::size_t(length)))
                                 : std::string(FormulaText, std::size_t(length));
    // Every pair (c, d); a space never leads a pair, and the scan never stops early.
    for (int i = 0; i + 1 < length; ++i) {
        char c = text[std::size_t(i)];
        if (c == ' ')
            continue;
        if (BrokenPairRule(c, text[std::size_t(i) + 1]) != 0)
            FormulaStatus = 'f';
    }
}

} // namespace kurvanto
