// SPDX-License-Identifier: GPL-3.0-or-later
#include "refine.h"

#include <algorithm>
#include <cmath>

namespace kurvanto {

namespace {

// A root's |value| is at most this share of the smaller |value| of the samples around it
// (unless one of them is the root): across a step or a pole |value| stays or grows.
constexpr double kRootShrink = 1e-3;
// Across a turn of a continuous curve the narrowed bracket's ends differ by a tiny share of
// the rise between the samples; across a step or a pole by about the whole jump.
constexpr double kTurnJump = 1e-2;
// Steps of golden section at most (each narrows by 0.618).
constexpr int kMaxGoldenSteps = 400;

} // namespace

bool RefineRoot(const Curve &curve, double a, double fa, double b, double fb, Refined &root) {
    double lo = a, hi = b, flo = fa, fhi = fb;
    for (;;) {
        const double m = lo + (hi - lo) / 2;
        if (!(m > lo && m < hi))
            break;
        double fm = 0;
        if (!curve.at(m, fm))
            return false;
        if (fm == 0) {
            root = {m, fm};
            return true;
        }
        if ((fm < 0) == (flo < 0)) {
            lo = m;
            flo = fm;
        } else {
            hi = m;
            fhi = fm;
        }
    }
    const bool low = std::fabs(flo) <= std::fabs(fhi);
    root = low ? Refined{lo, flo} : Refined{hi, fhi};
    const bool sample = root.x == a || root.x == b;
    return sample || std::fabs(root.y) <= kRootShrink * std::min(std::fabs(fa), std::fabs(fb));
}

bool RefineTurn(const Curve &curve, double a, double b, bool maximum, double width,
                double sampleRise, Refined &turn) {
    const double golden = 0.6180339887498949;
    const double sign = maximum ? 1 : -1;
    double x1 = b - golden * (b - a), x2 = a + golden * (b - a), f1 = 0, f2 = 0;
    if (!curve.at(x1, f1) || !curve.at(x2, f2))
        return false;
    for (int i = 0; i < kMaxGoldenSteps && b - a > width; ++i) {
        if (!(a < x1 && x1 <= x2 && x2 < b))
            break; // as narrow as the doubles allow
        if (sign * f1 >= sign * f2) {
            b = x2;
            x2 = x1;
            f2 = f1;
            x1 = b - golden * (b - a);
            if (!curve.at(x1, f1))
                return false;
        } else {
            a = x1;
            x1 = x2;
            f1 = f2;
            x2 = a + golden * (b - a);
            if (!curve.at(x2, f2))
                return false;
        }
    }
    turn = sign * f1 >= sign * f2 ? Refined{x1, f1} : Refined{x2, f2};
    // Just beyond the bracket on either side: a turn at the end of a piece of curve (frac(x)
    // at -1, whose value is the end's own) has the jump right beside it.
    const double reach =
        std::max(b - a, 4 * (std::nextafter(std::fabs(turn.x), INFINITY) - std::fabs(turn.x)));
    double fa = 0, fb = 0;
    if (!curve.at(a - reach, fa) || !curve.at(b + reach, fb))
        return false;
    return std::fabs(fa - fb) <= kTurnJump * sampleRise;
}

} // namespace kurvanto
