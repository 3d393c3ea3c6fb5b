#pragma once
// The arithmetic the evaluator applies while it reads: the binary operators, the power
// operator and the function table. Each step is computed in long double (the extended
// precision) and rounded to double when stored. A trap (invalid operation, division by zero,
// overflow of the double range) is an explicit check after the step; it stores 'm' in the
// status handed in and the reading carries on with the substitute value of that step.
// Nothing here keeps state, so any number of threads may compute at once.
#include <string>

namespace kurvanto {

double Add(double v, double w, char &status);      // trap: 'm', 0
double Subtract(double v, double w, char &status); // trap: 'm', 0
double Multiply(double v, double w, char &status); // trap: 'm', 0
double Divide(double v, double w, char &status);   // w == 0: 'm', v; other trap: 'm', 0

// b raised to p; 'm' when it has no value (then the result is unspecified).
double RaisePower(double b, double p, char &status);

// The closeness test of RaisePower, in the 6-byte real: |a| if n == 0, else |a / n - 1|.
// Returns false (a trap) when a value does not fit the 6-byte real.
bool RelativeDistance(double a, double n, double &distance);

// A function of the table: returns false when v is outside its domain (then 'm', and the
// reading carries on with v).
using TableFunction = bool (*)(double v, double &result);

// Looks a name up by exact comparison after folding it to upper case; nullptr if absent.
TableFunction FindFunction(const std::string &upperName);

} // namespace kurvanto
