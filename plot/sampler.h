// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The samples of the build run's drawing pass, evaluated ahead of the walk that draws them.
#include <algorithm>
#include <cmath>
#include <condition_variable>
#include <cstdint>
#include <exception>
#include <limits>
#include <mutex>
#include <vector>

#include "quickplacer.h"
#include "rounding.h"
#include "sample.h"
#include "workerpool.h"

namespace kurvanto {

// The samples of the drawing pass in order, evaluated ahead of the walk that draws them, by
// the calling thread and, for a pass big enough to gain, by workers of the shared pool. The
// x sequence is formed one chunk at a time in chunk order, so it is the same accumulation
// whatever the threads; every sample is evaluated exactly once, at its own x, with its own
// status. A bounded ring of chunks keeps the memory small however long the pass.
//
// Program: anything with `double Evaluate(double x, char &status) const` that may run on
// several threads at once (FormulaProgram). With `quick` and a program that has the quick
// pass, the samples are placed by the quick pass where it can tell their status and pixel
// (quickplacer.h; such a sample is marked `quick`), and evaluated by Evaluate elsewhere.
template <class Program> class Sampler {
  public:
    static constexpr std::int32_t kChunk = 512;
    // Chunks evaluated ahead of the walk at most. Generous, so that a worker the system has
    // put aside holding the chunk the walk needs next leaves the caller enough to evaluate
    // meanwhile (the machine may be busy with other programs); 1 MiB of samples.
    static constexpr std::int32_t kRing = 64;

    Sampler(const Program &program, const Mapping &mapping, long double low, long double high,
            double startX, long double step, std::int32_t count, unsigned threads,
            bool quick = false)
        : program_(program), mapping_(mapping), low_(low), high_(high),
          placer_(program, mapping, low, high, quick), x_(startX), step_(step),
          count_(std::max(count, 0)), chunks_(count_ / kChunk + (count_ % kChunk != 0 ? 1 : 0)),
          slots_(std::min<std::int32_t>(threads > 1 ? kRing : 2, std::max(chunks_, 1))),
          buffer_(static_cast<std::size_t>(slots_) * kChunk),
          ready_(static_cast<std::size_t>(slots_), -1) {
        if (threads > 1 && chunks_ > 1) {
            const std::size_t workers = std::min<std::size_t>(threads - 1, chunks_ - 1);
            pooled_ = WorkerPool::shared().start(workers, [this] { work(); });
        }
    }

    // Stops the workers and waits for them: they must not outlive the buffer.
    ~Sampler() {
        if (!pooled_)
            return;
        {
            std::lock_guard<std::mutex> lock(mutex_);
            stop_ = true;
        }
        changed_.notify_all();
        WorkerPool::shared().finish(); // the task catches everything it meets
    }

    Sampler(const Sampler &) = delete;
    Sampler &operator=(const Sampler &) = delete;

    std::int32_t chunks() const { return chunks_; }
    std::int32_t count() const { return count_; }

    // The samples of chunk `c` (the first chunk not yet released), evaluated; `size` of them.
    // The calling thread evaluates chunks itself while it waits.
    const Sample *chunk(std::int32_t c, std::int32_t &size) {
        std::unique_lock<std::mutex> lock(mutex_);
        Sample *const samples = &buffer_[static_cast<std::size_t>(c % slots_) * kChunk];
        while (ready_[static_cast<std::size_t>(c % slots_)] != c) {
            std::int32_t claimed = 0;
            if (claim(claimed)) {
                lock.unlock();
                const std::int32_t quick = evaluateChunk(claimed);
                lock.lock();
                quickCount_ += quick;
                ready_[static_cast<std::size_t>(claimed % slots_)] = claimed;
                changed_.notify_all();
            } else {
                changed_.wait(lock);
            }
        }
        size = chunkSize(c);
        return samples;
    }

    // Chunk `c` is drawn: its slot may take a later chunk.
    void release(std::int32_t c) {
        {
            std::lock_guard<std::mutex> lock(mutex_);
            drawn_ = c + 1;
        }
        changed_.notify_all();
    }

    // Samples placed by the quick pass so far, of the chunks evaluated.
    std::int64_t quickCount() {
        std::lock_guard<std::mutex> lock(mutex_);
        return quickCount_;
    }

    // The exception of the first sample marked Threw.
    std::exception_ptr failure() {
        std::lock_guard<std::mutex> lock(mutex_);
        return failure_;
    }

  private:
    std::int32_t chunkSize(std::int32_t c) const { return std::min(kChunk, count_ - c * kChunk); }

    // Takes the next chunk when its slot is free and forms its x values; under the lock.
    bool claim(std::int32_t &c) {
        if (next_ >= chunks_ || next_ >= drawn_ + slots_)
            return false;
        c = next_++;
        Sample *samples = &buffer_[static_cast<std::size_t>(c % slots_) * kChunk];
        for (std::int32_t i = 0, n = chunkSize(c); i < n; ++i) {
            x_ = x_ + step_;
            samples[i].x = x_;
        }
        return true;
    }

    // A worker: claims and evaluates chunks until none is left or the pass stops.
    void work() {
        std::unique_lock<std::mutex> lock(mutex_);
        for (;;) {
            std::int32_t c = 0;
            while (!stop_ && !claim(c)) {
                if (next_ >= chunks_)
                    return;
                changed_.wait(lock);
            }
            if (stop_)
                return;
            lock.unlock();
            const std::int32_t quick = evaluateChunk(c);
            lock.lock();
            quickCount_ += quick;
            ready_[static_cast<std::size_t>(c % slots_)] = c;
            changed_.notify_all();
        }
    }

    // Evaluates the samples of a claimed chunk and counts those the quick pass placed; never
    // throws: an exception is kept for the walk, which raises it at its sample, and ends the
    // chunk and the claiming.
    std::int32_t evaluateChunk(std::int32_t c) noexcept {
        Sample *samples = &buffer_[static_cast<std::size_t>(c % slots_) * kChunk];
        std::int32_t quick = 0;
        typename QuickPlacer<Program>::Runs runs;
        for (std::int32_t i = 0, n = chunkSize(c); i < n; ++i) {
            if (const std::int32_t placed = placer_.placeRun(samples + i, n - i, runs)) {
                quick += placed;
                i += placed - 1;
                continue;
            }
            Sample &s = samples[i];
            if (placer_.placeOne(s)) {
                ++quick;
                continue;
            }
            char status = 'n';
            try {
                s.value = program_.Evaluate(s.x, status);
            } catch (...) {
                s.status = status;
                s.mark = Sample::Threw;
                std::lock_guard<std::mutex> lock(mutex_);
                const std::int32_t index = c * kChunk + i;
                if (index < failureIndex_) {
                    failureIndex_ = index;
                    failure_ = std::current_exception();
                }
                stop_ = true;
                return quick;
            }
            s.status = status;
            s.mark = Sample::Skip;
            s.quick = false;
            if (status == 'n' && low_ < s.value && s.value < high_) {
                const long double column = mapping_.column(s.x), row = mapping_.row(s.value);
                if (FitsInt32(column) && FitsInt32(row)) {
                    s.mark = Sample::Pixel;
                    s.column = WholeToInt32(column);
                    s.row = WholeToInt32(row);
                } else {
                    s.mark = Sample::Far;
                }
            }
        }
        return quick;
    }

    const Program &program_;
    const Mapping mapping_;
    const long double low_, high_;
    const QuickPlacer<Program> placer_;
    double x_; // the x of the last sample formed
    const long double step_;
    const std::int32_t count_, chunks_, slots_;
    std::vector<Sample> buffer_;        // slots_ chunks
    std::vector<std::int32_t> ready_;   // the chunk evaluated in each slot, or -1
    std::int32_t next_ = 0, drawn_ = 0; // the next chunk to claim; chunks released
    std::int64_t quickCount_ = 0;
    std::int32_t failureIndex_ = std::numeric_limits<std::int32_t>::max();
    std::exception_ptr failure_;
    bool stop_ = false, pooled_ = false;
    std::mutex mutex_;
    std::condition_variable changed_;
};

} // namespace kurvanto
