// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Narrowing a root or a turn of a curve found between samples down on the engine.
#include "series.h"

namespace kurvanto {

struct Refined {
    double x = 0, y = 0;
};

// The root of a sign change between a and b (values fa, fb of opposite signs): bisection to
// neighbouring doubles, then the one of them nearer to 0. False when the curve has no value
// on the way or |value| does not shrink towards 0 (a pole or a jump, not a root).
bool RefineRoot(const Curve &curve, double a, double fa, double b, double fb, Refined &root);

// The extremum of a turn of the samples inside [a, b]: golden section on the curve (its
// maximum when `maximum`, else its minimum) until the bracket is at most `width` wide.
// `sampleRise` is the larger rise between the turn's samples and their neighbours. False
// when the curve has no value on the way or jumps across the turn (a pole or a step).
bool RefineTurn(const Curve &curve, double a, double b, bool maximum, double width,
                double sampleRise, Refined &turn);

} // namespace kurvanto
