// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Random texts for the formula box, from one seeded generator, so that a failing case can be
// made again from its seed.
#include <random>
#include <string>

namespace kurvanto::testing {

// A number as formulas write it: a small integer, or a decimal with a comma.
std::string RandomNumber(std::mt19937 &rng);

// A well-formed formula of the alphabet, nested up to `depth`: operands, functions (now and
// then in capitals), brackets, a leading minus and the five operators.
std::string RandomFormula(std::mt19937 &rng, int depth);

// Pieces of the alphabet and around it (names, digits, stray bytes, letters outside ASCII),
// up to `maxPieces` of them glued at random: mostly malformed texts.
std::string RandomPieces(std::mt19937 &rng, int maxPieces = 30);

// The text with one character that often spoils it inserted somewhere, one time in `odds`.
std::string Spoiled(std::mt19937 &rng, std::string text, int odds = 8);

} // namespace kurvanto::testing
