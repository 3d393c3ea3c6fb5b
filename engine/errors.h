// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Errors that end a command and reach the general error report. Their texts are shown
// to the user followed by a full stop.
#include <stdexcept>
#include <string>

namespace kurvanto {

class CommandError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

// A number run of the formula that is not a valid number, such as "2,,5".
class ConversionError : public CommandError {
  public:
    explicit ConversionError(const std::string &run)
        : CommandError("'" + run + "' is not a valid floating point value") {}
};

// An invalid operation: 0/0 of an empty range, a real that does not fit a pixel position.
class InvalidOperation : public CommandError {
  public:
    InvalidOperation() : CommandError("Invalid floating point operation") {}
};

// A value beyond the range of the 6-byte real.
class FloatOverflow : public CommandError {
  public:
    FloatOverflow() : CommandError("Floating point overflow") {}
};

} // namespace kurvanto
