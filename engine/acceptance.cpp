// SPDX-License-Identifier: GPL-3.0-or-later
// Whether the program accepts a formula, and where the leftmost fault is: the character
// pairs the checker refuses, and the malformed spots the compilation met while reading.
#include "acceptance.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <vector>

#include "compiled.h"
#include "formula.h"
#include "formulatext.h"
#include "reader.h"

namespace kurvanto {

namespace {

// The code point of one character's bytes; -1 when they are no valid UTF-8.
long CodePoint(const std::string &bytes) {
    const auto b = [&bytes](std::size_t i) { return static_cast<unsigned char>(bytes[i]); };
    const std::size_t n = bytes.size();
    if (n == 1)
        return b(0) < 0x80 ? b(0) : -1;
    long cp = 0, min = 0;
    if (n == 2 && (b(0) & 0xE0) == 0xC0)
        cp = b(0) & 0x1F, min = 0x80;
    else if (n == 3 && (b(0) & 0xF0) == 0xE0)
        cp = b(0) & 0x0F, min = 0x800;
    else if (n == 4 && (b(0) & 0xF8) == 0xF0)
        cp = b(0) & 0x07, min = 0x10000;
    else
        return -1;
    for (std::size_t i = 1; i < n; ++i) {
        if ((b(i) & 0xC0) != 0x80)
            return -1;
        cp = (cp << 6) | (b(i) & 0x3F);
    }
    if (cp < min || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF))
        return -1;
    return cp;
}

// The text as typed, by character positions; what is no valid UTF-8 shows as U+FFFD.
class TypedText {
  public:
    explicit TypedText(const std::string &utf8) : utf8_(utf8), chars_(SplitCharacters(utf8)) {}

    int size() const { return static_cast<int>(chars_.size()); }

    std::string character(int i) const {
        const CharacterSpan &c = chars_[static_cast<std::size_t>(i)];
        std::string bytes = utf8_.substr(c.offset, c.size);
        return CodePoint(bytes) < 0 ? std::string("\xEF\xBF\xBD") : bytes;
    }

    std::string span(int start, int length) const {
        std::string out;
        for (int i = start; i < start + length && i < size(); ++i)
            out += character(i);
        return out;
    }

    long codePoint(int i) const {
        const CharacterSpan &c = chars_[static_cast<std::size_t>(i)];
        return CodePoint(utf8_.substr(c.offset, c.size));
    }

  private:
    const std::string &utf8_;
    std::vector<CharacterSpan> chars_;
};

// A character the scanner can begin a token with, or a space.
bool InAlphabet(char c) {
    return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') ||
           (c != '\0' && std::strchr(" +-*/^(),", c) != nullptr);
}

std::string Quoted(const std::string &s) {
    return "«" + s + "»";
}

// The Latin letter a character outside the alphabet looks like, if any.
const char *LatinLookalike(long cp) {
    switch (cp) {
    case 0x0445: // х
    case 0x0425: // Х
        return "x";
    case 0x0430: // а
    case 0x0410: // А
        return "a";
    case 0x0435: // е
    case 0x0415: // Е
        return "e";
    case 0x0441: // с
    case 0x0421: // С
        return "c";
    case 0x043E: // о
    case 0x041E: // О
        return "o";
    case 0x0440: // р
    case 0x0420: // Р
        return "p";
    case 0x0422: // Т
        return "t";
    default:
        return nullptr;
    }
}

std::string CharacterReason(const TypedText &text, int i) {
    const long cp = text.codePoint(i);
    if (cp == ',')
        return "запятая может стоять только внутри числа";
    if (cp >= 0 && (cp < 0x20 || cp == 0x7F))
        return "символ с кодом " + std::to_string(cp) + " не входит в формулу";
    std::string reason = "символ " + Quoted(text.character(i)) + " не входит в формулу";
    if (cp == '.')
        reason += " (дробную часть отделяет запятая)";
    else if (const char *latin = LatinLookalike(cp))
        reason += std::string(" (нужна латинская ") + latin + ")";
    return reason;
}

// A character of a pair, quoted; a parameter is named as one, in the case the phrase wants.
std::string PairCharacter(const TypedText &text, const std::string &held, int i,
                          const char *asParameter) {
    const std::string quoted = Quoted(text.character(i));
    return IsStandaloneParameter(held, static_cast<std::size_t>(i))
               ? std::string(asParameter) + " " + quoted
               : quoted;
}

std::string PairReason(const TypedText &text, const std::string &held, int rule, int first) {
    const std::string c = Quoted(text.character(first));
    const std::string d = Quoted(text.character(first + 1));
    switch (rule) {
    case 1:
        return "после " + c + " не может стоять " + d +
               ": нужно число, x, константа, функция или «(»";
    case 2:
        return "между " + PairCharacter(text, held, first, "параметром") + " и " +
               PairCharacter(text, held, first + 1, "параметром") + " нужен знак операции";
    case 3:
        return "сразу после " + PairCharacter(text, held, first, "параметра") +
               " не может стоять " + d + ": нужен знак операции";
    default:
        return "после " + c + " нужна «i» (константа pi), а стоит " + d;
    }
}

// Which of two faults that begin at the same character is reported.
int Rank(FaultKind kind) {
    switch (kind) {
    case FaultKind::Character:
        return 0;
    case FaultKind::Pair:
        return 1;
    case FaultKind::Number:
        return 2;
    case FaultKind::SignBeforeName:
        return 3;
    case FaultKind::UnknownName:
        return 4;
    case FaultKind::Closing:
        return 5;
    case FaultKind::Operand:
        return 6;
    case FaultKind::Trailing:
        return 7;
    case FaultKind::Empty:
        break;
    }
    return 8;
}

struct Candidate {
    FaultKind kind;
    int start, length; // character positions from 0
    int rule = 0;      // Pair: which rule
    int beforeStart = -1, beforeLength = -1;
};

// The text from start up to end, without the spaces at either end.
std::string Trimmed(const TypedText &text, int start, int end) {
    while (start < end && text.character(start) == " ")
        ++start;
    while (end > start && text.character(end - 1) == " ")
        --end;
    return text.span(start, end - start);
}

// Names users bring from elsewhere, and what this program calls them.
struct ForeignName {
    const char *name;
    const char *local;
};

constexpr ForeignName kForeignNames[] = {
    {"exp", "экспоненту здесь пишут степенью: e^x"},
    {"tan", "тангенс здесь называется tg"},
    {"cot", "котангенс здесь называется ctg"},
    {"asin", "арксинус здесь называется arcsin"},
    {"acos", "арккосинус здесь называется arccos"},
    {"atan", "арктангенс здесь называется arctg"},
    {"log", "натуральный логарифм здесь - ln, десятичный - lg"},
    {"sec", "секанс здесь называется sc"},
    {"cosec", "косеканс здесь называется csc"},
    {"floor", "целую часть здесь даёт int"},
    {"trunc", "целую часть здесь даёт int"},
};

// The local names for the borrowed ones among the letter runs of a held text, in the order
// they first appear: " (тангенс здесь называется tg)"; empty when there is none.
std::string ForeignNameNotes(const std::string &held) {
    std::vector<const char *> notes;
    for (std::size_t i = 0; i < held.size();) {
        std::size_t end = i;
        while (end < held.size() && reading::IsLetter(held[end]))
            ++end;
        std::string run = held.substr(i, end - i);
        for (char &ch : run)
            ch = static_cast<char>(ch >= 'A' && ch <= 'Z' ? ch - 'A' + 'a' : ch);
        for (const ForeignName &f : kForeignNames)
            if (run == f.name && std::find(notes.begin(), notes.end(), f.local) == notes.end())
                notes.push_back(f.local);
        i = end > i ? end : i + 1;
    }
    std::string out;
    for (const char *note : notes)
        out += (out.empty() ? " (" : "; ") + std::string(note);
    return out.empty() ? out : out + ")";
}

// "-sin(x)": the name, and the power it begins put in parentheses after the sign.
std::string SignBeforeNameReason(const TypedText &text, const std::string &held,
                                 const Candidate &c) {
    return "перед функцией " + Quoted(text.span(c.start, c.length)) +
           " не может стоять минус: пишите -(" +
           Trimmed(text, c.start, reading::PowerEnd(held.c_str(), c.start)) + ")";
}

FormulaFault Describe(const TypedText &text, const std::string &held, const Candidate &c) {
    FormulaFault fault{c.kind, c.start + 1, c.length, {}};
    switch (c.kind) {
    case FaultKind::Empty:
        fault.position = 1;
        fault.length = 0;
        fault.reason = "формула пуста";
        break;
    case FaultKind::Character:
        fault.reason = CharacterReason(text, c.start);
        break;
    case FaultKind::Pair:
        fault.reason = PairReason(text, held, c.rule, c.start);
        break;
    case FaultKind::Operand:
        fault.reason =
            c.beforeStart >= 0
                ? "после " + Quoted(text.span(c.beforeStart, c.beforeLength)) +
                      " нет числа, x, константы или скобки"
                : "формула не может начинаться с " + Quoted(text.span(c.start, c.length));
        break;
    case FaultKind::UnknownName:
        fault.reason = "неизвестная функция " + Quoted(text.span(c.start, c.length));
        break;
    case FaultKind::Closing:
        fault.reason =
            "вместо " + Quoted(text.span(c.start, c.length)) + " нужна закрывающая скобка «)»";
        break;
    case FaultKind::Trailing:
        fault.reason =
            "лишний текст " + Quoted(text.span(c.start, c.length)) + " после конца формулы";
        break;
    case FaultKind::Number:
        fault.reason = "неверное число " + Quoted(text.span(c.start, c.length));
        break;
    case FaultKind::SignBeforeName:
        fault.reason = SignBeforeNameReason(text, held, c);
        break;
    }
    fault.reason += ForeignNameNotes(held);
    return fault;
}

} // namespace

std::optional<FormulaFault> FindFormulaFault(const std::string &utf8) {
    const TypedText text(utf8);
    const std::string held = HoldFormulaText(utf8);
    const int length = static_cast<int>(held.size());
    std::vector<Candidate> found;

    // The character pairs: the fault is the pair. A pair whose second character lies outside
    // the alphabet is that character's fault, which the reading finds (or an earlier one). A
    // parameter keeps the pair rules of x.
    const std::string paired = ParametersAsX(held);
    for (int i = 0; i + 1 < length; ++i) {
        const char c = paired[static_cast<std::size_t>(i)];
        const char d = paired[static_cast<std::size_t>(i) + 1];
        if (c == ' ' || !InAlphabet(d))
            continue;
        if (const int rule = BrokenPairRule(c, d)) {
            Candidate pair{FaultKind::Pair, i, 2};
            pair.rule = rule;
            found.push_back(pair);
            break; // the first is the leftmost
        }
    }

    // The reading: one compilation meets every malformed token, whatever x.
    const ParameterValues anyValues;
    const auto compiled = CompileFormula(held, &anyValues);
    for (const ReadingFault &f : compiled->faults) {
        Candidate c{f.kind, f.start, f.length};
        c.beforeStart = f.beforeStart;
        c.beforeLength = f.beforeLength;
        if (c.kind == FaultKind::Trailing) // up to the last character that is not a space
            while (c.length > 1 && held[static_cast<std::size_t>(c.start + c.length - 1)] == ' ')
                --c.length;
        found.push_back(c);
    }

    const Candidate *best = nullptr;
    for (const Candidate &c : found)
        if (!best || c.start < best->start ||
            (c.start == best->start && Rank(c.kind) < Rank(best->kind)))
            best = &c;
    if (!best)
        return std::nullopt;
    return Describe(text, held, *best);
}

std::optional<FormulaHint> FindFormulaHint(const std::string &utf8) {
    if (FindFormulaFault(utf8))
        return std::nullopt;
    const TypedText text(utf8);
    const ParameterValues anyValues;
    const auto compiled = CompileFormula(HoldFormulaText(utf8), &anyValues);
    const NegatedBase *first = nullptr;
    for (const NegatedBase &n : compiled->negatedBases)
        if (!first || n.signStart < first->signStart)
            first = &n;
    if (!first)
        return std::nullopt;
    const int start = first->signStart, length = first->end - start;
    const std::string base = Trimmed(text, start + 1, first->baseEnd);
    const std::string exponent = text.span(first->baseEnd, first->end - first->baseEnd);
    return FormulaHint{start + 1, length,
                       Quoted(text.span(start, length)) + " читается как (-" + base + ")" +
                           exponent + "; минус всей степени: -(" +
                           Trimmed(text, start + 1, first->end) + ")"};
}

} // namespace kurvanto
