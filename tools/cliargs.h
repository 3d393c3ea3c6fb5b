#pragma once
// Reading the command line's values: reals in C notation, whole numbers and RRGGBB colours.
#include <cstdint>
#include <optional>
#include <string>

#include "plotstate.h"

namespace kurvanto {

// Exit codes of the tool.
constexpr int kExitOk = 0;
constexpr int kExitFormulaRefused = 1;
constexpr int kExitUsage = 2;
constexpr int kExitError = 3;

// A finite real written in C notation ("-3.5", "1e-3", "2"), whatever the user's locale.
std::optional<double> ParseReal(const std::string &text);
// A whole number in the 32-bit range, in decimal.
std::optional<std::int32_t> ParseInt(const std::string &text);
// Six hex digits RRGGBB (a leading '#' allowed) as a colour value 0x00BBGGRR.
std::optional<TColor> ParseColor(const std::string &text);

// The usage text, printed by --help and after a malformed command line.
std::string UsageText();

} // namespace kurvanto
