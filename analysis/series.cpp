// SPDX-License-Identifier: GPL-3.0-or-later
#include "series.h"

#include <algorithm>
#include <atomic>
#include <cmath>
#include <exception>
#include <mutex>
#include <thread>

namespace kurvanto {

namespace {

// Samples handed to a thread at a time.
constexpr std::size_t kChunk = 2048;
// Beyond this many samples a series is not taken: the caller's step was too small.
constexpr long double kMaxSamples = 1e8L;

} // namespace

Series::Series(double from, double to, double step) : from_(from), to_(to), step_(step) {
    std::size_t count = 1;
    if (to > from && step > 0) {
        const long double steps = std::floor((static_cast<long double>(to) - from) / step);
        count = static_cast<std::size_t>(std::min(steps, kMaxSamples)) + 1;
        if (static_cast<long double>(from) + static_cast<long double>(count - 1) * step < to)
            ++count; // the last sample at `to`
    }
    value_.assign(count, 0.0);
    ok_.assign(count, 0);
}

double Series::x(std::size_t k) const {
    if (k + 1 == size())
        return size() == 1 ? from_ : to_;
    return static_cast<double>(static_cast<long double>(from_) +
                               static_cast<long double>(k) * step_);
}

void SampleSeries(const std::vector<SeriesJob> &jobs, unsigned threads) {
    // The chunks of all series in one sequence, claimed in turn.
    std::vector<std::pair<std::size_t, std::size_t>> chunks; // (job, first sample)
    for (std::size_t j = 0; j < jobs.size(); ++j)
        for (std::size_t k = 0; k < jobs[j].series->size(); k += kChunk)
            chunks.emplace_back(j, k);
    std::atomic<std::size_t> next{0};
    std::exception_ptr failure;
    std::mutex failureMutex;
    const auto work = [&] {
        try {
            for (std::size_t c = next++; c < chunks.size(); c = next++) {
                const SeriesJob &job = jobs[chunks[c].first];
                const std::size_t end = std::min(chunks[c].second + kChunk, job.series->size());
                for (std::size_t k = chunks[c].second; k < end; ++k) {
                    double v = 0;
                    const bool ok = job.curve.at(job.series->x(k), v);
                    job.series->set(k, ok, v);
                }
            }
        } catch (...) {
            std::lock_guard<std::mutex> lock(failureMutex);
            if (!failure)
                failure = std::current_exception();
            next = chunks.size();
        }
    };
    if (threads == 0)
        threads = std::max(1u, std::thread::hardware_concurrency());
    const std::size_t helpers = std::min<std::size_t>(threads - 1, chunks.size() / 2);
    std::vector<std::thread> pool;
    for (std::size_t i = 0; i < helpers; ++i)
        pool.emplace_back(work);
    work();
    for (std::thread &t : pool)
        t.join();
    if (failure)
        std::rethrow_exception(failure);
}

} // namespace kurvanto
