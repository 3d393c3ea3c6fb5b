// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The formula text as the formula box hands it over, and the character-pair rules: shared by
// the formula buffer, the compiled program and the acceptance.
#include <cstddef>
#include <string>
#include <vector>

namespace kurvanto {

// One character of a UTF-8 text: where its bytes are.
struct CharacterSpan {
    std::size_t offset = 0;
    std::size_t size = 0;
};

// The characters of a UTF-8 text as the formula box counts them: at most 80, up to an embedded
// zero. A character outside ASCII is one character however many bytes it takes; a byte that
// starts no valid sequence is a character of its own.
std::vector<CharacterSpan> SplitCharacters(const std::string &utf8);

// The text as the formula buffer holds it: one byte per character of SplitCharacters, each
// character outside ASCII stored as kNonAsciiChar.
std::string HoldFormulaText(const std::string &utf8);

// The first of the four character-pair rules (1 to 4) that d right after c breaks; 0 when the
// pair is allowed. A space never leads a pair: the caller skips it.
int BrokenPairRule(char c, char d);

} // namespace kurvanto
