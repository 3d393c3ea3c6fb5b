// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Whether the program accepts a formula: the character-pair checker passes it and reading it
// meets no malformed token. What the reading does depends on the tokens alone, so one pass
// over the text decides, whatever x. The evaluator itself still reads every text as before;
// this is the separate question the build, the tool and the window ask.
#include <optional>
#include <string>

namespace kurvanto {

enum class FaultKind {
    Empty,
    Character,
    Pair,
    Operand,
    UnknownName,
    Closing,
    Trailing,
    Number,
    SignBeforeName, // "-sin(x)": a sign may not stand before a function's name
};

struct FormulaFault {
    FaultKind kind;
    int position;       // first character of the fault, counting characters from 1 as typed
                        // (UTF-8 code points of the text)
    int length;         // in characters, at least 1 (for Empty: position 1, length 0)
    std::string reason; // short Russian reason, UTF-8
};

// The leftmost fault that makes the program refuse the text; nullopt when it is accepted.
// The text is taken as the formula box holds it (cut at 80 characters, like SetFormulaText).
// A fault of the character-pair checker is the pair (length 2), unless its second character
// lies outside the alphabet: then that character is the fault. Where two faults begin at the
// same character, the one that says most wins: a character outside the alphabet, then a
// character pair, a malformed number, a sign before a function's name, an unknown name, a
// wrong closing parenthesis, a missing operand, text after the end. A name the text borrows
// from elsewhere ("tan", "exp", "log") adds the local one to the reason, wherever it stands.
std::optional<FormulaFault> FindFormulaFault(const std::string &utf8);

// Something an accepted formula does that its writer may well not mean.
struct FormulaHint {
    int position;     // counting characters from 1 as typed, like FormulaFault
    int length;       // in characters, at least 1
    std::string text; // short Russian note with the way to write the other meaning, UTF-8
};

// The leftmost hint: a "-" sign whose operand is the base of a power ("-x^2" is (-x)^2).
// Nothing for a text the program refuses.
std::optional<FormulaHint> FindFormulaHint(const std::string &utf8);

} // namespace kurvanto
