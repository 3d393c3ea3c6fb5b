#pragma once
// kurvanto-cli check and eval: the formula engine on its own.
#include <string>
#include <vector>

namespace kurvanto {

// Stores "n", checks the character pairs and prints the status letter.
int RunCheck(const std::string &formula);

// Evaluates the formula at each X (C notation) and prints "S V" per X; the command line has
// been read when this is called, so every X is a valid real.
int RunEval(const std::string &formula, const std::vector<double> &xs);

} // namespace kurvanto
