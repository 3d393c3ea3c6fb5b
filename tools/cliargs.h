// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Reading the command line's values: reals in C notation, whole numbers and RRGGBB colours;
// the tool's exit codes and its refusal of a malformed command line.
#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "plotstate.h"

namespace kurvanto {

// Exit codes of the tool.
constexpr int kExitOk = 0;
constexpr int kExitFormulaRefused = 1;
constexpr int kExitUsage = 2;
constexpr int kExitError = 3;
constexpr int kExitInterrupted = 130; // 128 + SIGINT, as a shell reports it

// A malformed command line. The text names what is wrong, such as
// "--width 0: ширина должна быть от 1 до 10000"; the caller prints it on one line with a
// hint to --help and exits with kExitUsage.
class UsageError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

// "NAME V1 V2: WHY", the way a refused option is named.
std::string OptionMessage(const std::string &name, const std::vector<std::string> &values,
                          const std::string &why);

// A finite real in C notation ("-3.5", "1e-3", "2"), whatever the user's locale; a decimal
// comma stands for the point ("-3,5").
std::optional<double> ParseReal(const std::string &text);
// Why a real was refused.
inline constexpr const char *kRealWhy = "нужно конечное число, например -3.5, -3,5 или 1e-3";
// A real as it reads back: the shortest text that gives the same double ("0.1", "-5").
std::string RealText(double value);
// A whole number in the 32-bit range, in decimal.
std::optional<std::int32_t> ParseInt(const std::string &text);
// Six hex digits RRGGBB (a leading '#' allowed) as a colour value 0x00BBGGRR.
std::optional<TColor> ParseColor(const std::string &text);

// Whether a command-line argument is meant as an option: it begins with "--" or is "-o".
// Anything else is a value or the formula ("-1", "-x^2" included).
bool IsOptionArgument(const std::string &arg);
// The refusal of an option the command does not know ("--color", "--grid=yes").
UsageError UnknownOption(const std::string &arg);

// The usage text, printed by --help.
std::string UsageText();

} // namespace kurvanto
