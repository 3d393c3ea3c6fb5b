// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The quick pass in the drawing pass: places the samples whose status and pixel it can tell,
// a run of samples at a time where one evaluation over their x decides them all (a smooth
// stretch of the curve inside one row, or a stretch with no value), one sample at a time
// elsewhere. What it cannot tell is left to the extended engine.
#include <algorithm>
#include <cstdint>
#include <type_traits>
#include <utility>

#include "quickrow.h"
#include "rounding.h"
#include "sample.h"

namespace kurvanto {

// Whether a program has the quick pass (EvaluateQuick).
template <class Program, class = void> struct HasQuickPass : std::false_type {};
template <class Program>
struct HasQuickPass<Program,
                    std::void_t<decltype(std::declval<const Program &>().EvaluateQuick(0.0))>>
    : std::true_type {};

template <class Program> class QuickPlacer {
  public:
    static constexpr std::int32_t kMinRun = 4, kMaxRun = 32, kPause = 2;

    // The run length tried next, and samples to take one by one before trying runs again;
    // one for each sequence of samples (a thread's chunk).
    struct Runs {
        std::int32_t size = 16, pause = 0;
    };

    QuickPlacer(const Program &program, const Mapping &mapping, long double low, long double high,
                bool on)
        : program_(program), mapping_(mapping),
          rows_(mapping.yMax, mapping.yUnitsPerPixel, low, high),
          columns_(mapping.xMin, mapping.xUnitsPerPixel), on_(on && HasQuickPass<Program>::value) {}

    // Places a run at the front of the n samples; returns how many (0: none, place the first
    // on its own). A run that cannot be told is tried again half as long at once, down to
    // kMinRun; after a success the next run is tried twice as long.
    std::int32_t placeRun(Sample *samples, std::int32_t n, Runs &runs) const {
        if (!on_)
            return 0;
        if (runs.pause > 0) {
            --runs.pause;
            return 0;
        }
        for (std::int32_t size = std::min(runs.size, n); size >= kMinRun; size /= 2) {
            if (placeAll(samples, size)) {
                runs.size = std::min(size * 2, kMaxRun);
                return size;
            }
        }
        // A steep stretch: a few samples one by one.
        runs.size = kMinRun;
        runs.pause = kPause;
        return 0;
    }

    // Places one sample; false when the quick pass cannot tell it.
    bool placeOne(Sample &s) const {
        if constexpr (HasQuickPass<Program>::value) {
            return on_ && place(program_.EvaluateQuick(s.x), &s, 1);
        } else {
            (void)s;
            return false;
        }
    }

  private:
    bool placeAll(Sample *samples, std::int32_t size) const {
        if constexpr (HasQuickPass<Program>::value) {
            // x runs down the pass where the x range is reversed
            const double first = samples[0].x, last = samples[size - 1].x;
            return place(program_.EvaluateQuick(std::min(first, last), std::max(first, last)),
                         samples, size);
        } else {
            (void)samples;
            (void)size;
            return false;
        }
    }

    // Gives the samples the place q decides for all of them, each its own column.
    bool place(const QuickValue &q, Sample *samples, std::int32_t size) const {
        std::int32_t row = 0;
        const QuickPlace place = PlaceQuick(q, rows_, row);
        if (place == QuickPlace::Undecided)
            return false;
        for (Sample *s = samples; s != samples + size; ++s) {
            s->mark = place == QuickPlace::Pixel ? Sample::Pixel : Sample::Skip;
            if (place == QuickPlace::Pixel && !column(s->x, s->column))
                return false; // the samples are placed again, one by one
            s->row = row;
            s->value = q.value;
            s->status = q.status;
            s->quick = true;
        }
        return true;
    }

    bool column(double x, std::int32_t &out) const {
        if (columns_.column(x, out))
            return true;
        const long double column = mapping_.column(x);
        if (!FitsInt32(column))
            return false;
        out = WholeToInt32(column);
        return true;
    }

    const Program &program_;
    const Mapping mapping_;
    const QuickRows rows_;
    const QuickColumns columns_;
    const bool on_;
};

} // namespace kurvanto
