// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The samples a search starts from: a formula, or the difference of two, at x = from + k *
// step, the last sample at `to` itself.
#include <cstddef>
#include <vector>

#include "program.h"

namespace kurvanto {

// f(x), or f(x) - g(x) when g is given; false where either has no value.
struct Curve {
    const FormulaProgram *f = nullptr, *g = nullptr;

    bool at(double x, double &value) const {
        char status = 'n';
        double v = f->Evaluate(x, status);
        if (status != 'n')
            return false;
        if (g != nullptr) {
            const double w = g->Evaluate(x, status);
            if (status != 'n')
                return false;
            v = v - w;
        }
        value = v;
        return true;
    }
};

class Series {
  public:
    Series() = default;
    Series(double from, double to, double step);

    std::size_t size() const { return value_.size(); }
    double x(std::size_t k) const;
    double from() const { return from_; }
    double to() const { return to_; }
    double step() const { return step_; }
    bool ok(std::size_t k) const { return ok_[k] != 0; }
    double value(std::size_t k) const { return value_[k]; }
    void set(std::size_t k, bool ok, double value) {
        ok_[k] = ok ? 1 : 0;
        value_[k] = value;
    }

  private:
    double from_ = 0, to_ = 0, step_ = 0;
    std::vector<double> value_;
    std::vector<unsigned char> ok_;
};

// Evaluates every series on its curve, spread over `threads` threads (0: one per core).
// Raises the first exception a curve raised.
struct SeriesJob {
    Curve curve;
    Series *series = nullptr;
};
void SampleSeries(const std::vector<SeriesJob> &jobs, unsigned threads);

} // namespace kurvanto
