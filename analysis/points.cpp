// SPDX-License-Identifier: GPL-3.0-or-later
#include "points.h"

#include <algorithm>
#include <cmath>
#include <memory>
#include <tuple>

#include "refine.h"
#include "series.h"

namespace kurvanto {

namespace {

// A touching root: the least |value| of a turn is below this share of (1 + the larger |value|
// of the samples either side of it).
constexpr double kTouch = 1e-12;
// A turn whose rise is within this share of its values is rounding noise of a flat run
// (sin(x)^2+cos(x)^2), not a turn of the curve.
constexpr double kNoise = 64 * 2.220446049250313e-16;

// A curve searched from its samples: a build (second < 0) or the difference of a pair.
struct Searched {
    int first = 0, second = -1;
    Curve curve;
    const Series *series = nullptr;
};

// Where a point may lie: between samples k and k + 1 (a sign change), at sample k (a zero
// between opposite signs), or at the turn of the samples s..e (one or two equal values).
struct Candidate {
    enum Type { Change, Zero, Turn };
    Type type = Change;
    const Searched *curve = nullptr;
    std::size_t s = 0, e = 0;
};

double Sign(double v) {
    return v > 0 ? 1 : v < 0 ? -1 : 0;
}

void ScanRoots(const Searched &c, std::vector<Candidate> &out) {
    const Series &s = *c.series;
    for (std::size_t k = 0; k + 1 < s.size(); ++k) {
        if (!s.ok(k) || !s.ok(k + 1))
            continue;
        const double a = Sign(s.value(k)), b = Sign(s.value(k + 1));
        if (a * b < 0)
            out.push_back({Candidate::Change, &c, k, k + 1});
        else if (b == 0 && a != 0 && k + 2 < s.size() && s.ok(k + 2) &&
                 a * Sign(s.value(k + 2)) < 0)
            out.push_back({Candidate::Zero, &c, k + 1, k + 1});
    }
}

// Runs of one or two equal values with a sample on either side both lower or both higher. A
// pair's difference turns only where |difference| has its least value: a touching crossing.
void ScanTurns(const Searched &c, std::vector<Candidate> &out) {
    const Series &s = *c.series;
    std::size_t k = 0;
    while (k < s.size()) {
        if (!s.ok(k)) {
            ++k;
            continue;
        }
        std::size_t e = k;
        while (e + 1 < s.size() && s.ok(e + 1) && s.value(e + 1) == s.value(k))
            ++e;
        if (k > 0 && e + 1 < s.size() && e - k < 2 && s.ok(k - 1) && s.ok(e + 1)) {
            const double v = s.value(k), before = s.value(k - 1), after = s.value(e + 1);
            const bool max = before < v && after<v, min = before> v && after > v;
            const bool touching = (max && v <= 0) || (min && v >= 0);
            if ((max || min) && (c.second < 0 || touching))
                out.push_back({Candidate::Turn, &c, k, e});
        }
        k = e + 1;
    }
}

// The points a candidate gives: none, one, or a touching root with its extremum.
class Refiner {
  public:
    explicit Refiner(double width) : width_(width) {}

    void points(const Candidate &c, std::vector<PointOfInterest> &out) const {
        const Series &s = *c.curve->series;
        Refined r;
        if (c.type == Candidate::Zero) {
            add(*c.curve, PointOfInterest::Root, {s.x(c.s), 0}, out);
        } else if (c.type == Candidate::Change) {
            if (RefineRoot(c.curve->curve, s.x(c.s), s.value(c.s), s.x(c.e), s.value(c.e), r))
                add(*c.curve, PointOfInterest::Root, r, out);
        } else {
            turn(c, out);
        }
    }

  private:
    void turn(const Candidate &c, std::vector<PointOfInterest> &out) const {
        const Series &s = *c.curve->series;
        const double v = s.value(c.s), before = s.value(c.s - 1), after = s.value(c.e + 1);
        const bool maximum = before < v;
        const double rise = std::max(std::fabs(v - before), std::fabs(v - after));
        if (rise <= kNoise * std::max({std::fabs(v), std::fabs(before), std::fabs(after)}))
            return;
        // Where |value| has its least value the turn may touch 0: narrowed as far as the
        // doubles allow, so that a corner such as abs(x) at 0 comes out at 0 itself.
        const bool towardZero = maximum ? v <= 0 : v >= 0;
        Refined r;
        if (!RefineTurn(c.curve->curve, s.x(c.s - 1), s.x(c.e + 1), maximum,
                        towardZero ? 0 : width_, rise, r))
            return;
        if (towardZero &&
            std::fabs(r.y) < kTouch * (1 + std::max(std::fabs(before), std::fabs(after))))
            add(*c.curve, PointOfInterest::Root, r, out);
        if (c.curve->second < 0)
            add(*c.curve, maximum ? PointOfInterest::Maximum : PointOfInterest::Minimum, r, out);
    }

    // A pair's point is a crossing at the first formula's value.
    static void add(const Searched &c, PointOfInterest::Kind kind, Refined r,
                    std::vector<PointOfInterest> &out) {
        PointOfInterest p;
        p.kind = kind;
        p.first = c.first;
        p.x = r.x;
        p.y = r.y;
        if (c.second >= 0) {
            p.kind = PointOfInterest::Cross;
            p.second = c.second;
            Curve alone = c.curve;
            alone.g = nullptr;
            if (!alone.at(r.x, p.y))
                return;
        }
        out.push_back(p);
    }

    double width_;
};

bool SameBuild(const PointBuild &a, const PointBuild &b) {
    return a.formula == b.formula && a.from == b.from && a.to == b.to && a.step == b.step &&
           a.parameters == b.parameters;
}

// The samples of every build searched and of every pair of them, evaluated.
class Search {
  public:
    Search(const std::vector<PointBuild> &builds, unsigned threads);
    // The points of build i: its own and its crossings with the builds after it, in x order,
    // at most the limit.
    std::vector<PointOfInterest> pointsOf(int i, const Refiner &refiner, bool &limited) const;
    const std::vector<int> &shown() const { return shown_; }

  private:
    const FormulaProgram *program(int i) const {
        return programs_[static_cast<std::size_t>(i)].get();
    }
    const Series &own(int i) const { return own_[static_cast<std::size_t>(i)]; }
    void addPairs(const std::vector<PointBuild> &builds, std::vector<SeriesJob> &jobs);

    std::vector<std::unique_ptr<FormulaProgram>> programs_;
    std::vector<Series> own_;
    std::vector<int> shown_; // the builds searched, each once
    std::vector<std::unique_ptr<Series>> pairSeries_;
    std::vector<Searched> curves_;
};

Search::Search(const std::vector<PointBuild> &builds, unsigned threads)
    : programs_(builds.size()), own_(builds.size()) {
    std::vector<SeriesJob> jobs;
    for (std::size_t i = 0; i < builds.size(); ++i) {
        const bool repeat = std::any_of(shown_.begin(), shown_.end(), [&](int j) {
            return SameBuild(builds[static_cast<std::size_t>(j)], builds[i]);
        });
        if (repeat)
            continue;
        shown_.push_back(static_cast<int>(i));
        programs_[i] =
            builds[i].parameters
                ? std::make_unique<FormulaProgram>(builds[i].formula, *builds[i].parameters)
                : std::make_unique<FormulaProgram>(builds[i].formula);
        own_[i] = Series(builds[i].from, builds[i].to, builds[i].step);
        jobs.push_back({Curve{programs_[i].get(), nullptr}, &own_[i]});
        curves_.push_back({static_cast<int>(i), -1, Curve{programs_[i].get(), nullptr}, &own_[i]});
    }
    addPairs(builds, jobs);
    SampleSeries(jobs, threads);
    for (const Searched &c : curves_) {
        if (c.second < 0)
            continue;
        const Series &f = own(c.first), &g = own(c.second);
        Series &d = *pairSeries_[static_cast<std::size_t>(&c - &curves_[shown_.size()])];
        if (f.size() == d.size() && f.from() == g.from() && f.to() == g.to() &&
            f.step() == g.step())
            for (std::size_t k = 0; k < f.size(); ++k)
                d.set(k, f.ok(k) && g.ok(k), f.value(k) - g.value(k));
    }
}

// Pairs: the difference from the samples when both have the same ones (filled in once they
// are evaluated), else sampled afresh over the range both cover at the finer step.
void Search::addPairs(const std::vector<PointBuild> &builds, std::vector<SeriesJob> &jobs) {
    for (std::size_t a = 0; a < shown_.size(); ++a)
        for (std::size_t b = a + 1; b < shown_.size(); ++b) {
            const PointBuild &f = builds[static_cast<std::size_t>(shown_[a])];
            const PointBuild &g = builds[static_cast<std::size_t>(shown_[b])];
            const double from = std::max(f.from, g.from), to = std::min(f.to, g.to);
            if (!(from <= to))
                continue;
            pairSeries_.push_back(std::make_unique<Series>(from, to, std::min(f.step, g.step)));
            const Curve difference{program(shown_[a]), program(shown_[b])};
            curves_.push_back({shown_[a], shown_[b], difference, pairSeries_.back().get()});
            if (!(f.from == g.from && f.to == g.to && f.step == g.step))
                jobs.push_back({difference, pairSeries_.back().get()});
        }
}

std::vector<PointOfInterest> Search::pointsOf(int i, const Refiner &refiner, bool &limited) const {
    std::vector<Candidate> candidates;
    for (const Searched &c : curves_)
        if (c.first == i) {
            ScanRoots(c, candidates);
            ScanTurns(c, candidates);
        }
    std::stable_sort(candidates.begin(), candidates.end(),
                     [](const Candidate &a, const Candidate &b) {
                         return a.curve->series->x(a.s) < b.curve->series->x(b.s);
                     });
    std::vector<PointOfInterest> points;
    limited = false;
    for (const Candidate &c : candidates) {
        refiner.points(c, points);
        if (points.size() > kMaxPointsPerBuild) {
            points.resize(kMaxPointsPerBuild);
            limited = true;
            break;
        }
    }
    return points;
}

} // namespace

PointsFound FindPoints(const std::vector<PointBuild> &builds, double xRange, unsigned threads) {
    const Search search(builds, threads);
    const Refiner refiner(1e-10 * xRange);
    PointsFound found;
    for (int i : search.shown()) {
        bool limited = false;
        const std::vector<PointOfInterest> points = search.pointsOf(i, refiner, limited);
        found.points.insert(found.points.end(), points.begin(), points.end());
        if (limited)
            found.limited.push_back(i);
    }
    std::stable_sort(found.points.begin(), found.points.end(),
                     [](const PointOfInterest &a, const PointOfInterest &b) {
                         return std::tie(a.x, a.kind, a.first, a.second) <
                                std::tie(b.x, b.kind, b.first, b.second);
                     });
    return found;
}

} // namespace kurvanto
