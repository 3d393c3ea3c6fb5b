// SPDX-License-Identifier: GPL-3.0-or-later
// Samples evaluated on several threads: the sampler on its own, and whole builds on several
// threads against the same builds on one (pictures, stored state and host calls alike).
#include <QImage>
#include <atomic>
#include <chrono>
#include <cmath>
#include <cstdint>
#include <functional>
#include <gtest/gtest.h>
#include <iterator>
#include <memory>
#include <random>
#include <stdexcept>
#include <string>
#include <thread>
#include <typeinfo>
#include <vector>

#include "bits.h"
#include "buildgraph.h"
#include "errors.h"
#include "formula.h"
#include "pixels.h"
#include "randomformula.h"
#include "sampler.h"
#include "workerpool.h"

namespace kurvanto {
namespace {

using kurvanto::testing::SameBits;
using kurvanto::testing::SameBytes;

// The bench's worst case: 80 characters, several functions, numbers with a decimal comma.
const std::string kLongFormula =
    "sin(x)*cos(x/2)+sqrt(abs(x))-ln(x^2+1)+arctg(x)*2,5-lg(abs(x)+1)/3+frac(x)*e-pi";

// ---------------------------------------------------------------------------------------
// The sampler with a program of its own: x = 1, 2, 3, ... (start 0, step 1, exact), the
// value 2x, "m" at every seventh x, an exception at one chosen x. It counts its evaluations
// per sample.

class CountingProgram {
  public:
    CountingProgram(std::int32_t count, double throwAt)
        : calls_(new std::atomic<int>[static_cast<std::size_t>(count) + 2]()), count_(count),
          throwAt_(throwAt) {}

    double Evaluate(double x, char &status) const {
        const auto index = static_cast<std::int64_t>(x);
        if (index >= 0 && index <= count_ + 1)
            calls_[static_cast<std::size_t>(index)].fetch_add(1, std::memory_order_relaxed);
        if (index % 7 == 0)
            status = 'm';
        if (x == throwAt_)
            throw std::runtime_error("at " + std::to_string(index));
        return 2 * x;
    }
    int calls(std::int64_t x) const { return calls_[static_cast<std::size_t>(x)].load(); }
    int totalCalls() const {
        int total = 0;
        for (std::int64_t x = 0; x <= count_ + 1; ++x)
            total += calls(x);
        return total;
    }

  private:
    std::unique_ptr<std::atomic<int>[]> calls_;
    std::int32_t count_;
    double throwAt_;
};

// One unit per pixel both ways, y = 0 at row 1000: 2x lands on column x, row 1000 - 2x.
const Mapping kUnitMapping{0, 1, 1000, 1};

struct SamplerCase {
    const char *name;
    std::int32_t count;
    unsigned threads;
};

class SamplerTest : public ::testing::TestWithParam<SamplerCase> {};

// Every sample once, in order, at its own x, with its own status and place.
TEST_P(SamplerTest, EverySampleOnceInOrder) {
    const SamplerCase &c = GetParam();
    const CountingProgram program(c.count, -1);
    {
        Sampler<CountingProgram> sampler(program, kUnitMapping, -1e9L, 300, 0, 1, c.count,
                                         c.threads);
        std::int64_t next = 1;
        for (std::int32_t chunk = 0; chunk < sampler.chunks(); ++chunk) {
            std::int32_t size = 0;
            const Sample *s = sampler.chunk(chunk, size);
            for (std::int32_t i = 0; i < size; ++i, ++next) {
                ASSERT_EQ(s[i].x, next);
                ASSERT_EQ(s[i].value, 2.0 * next);
                const bool failed = next % 7 == 0;
                ASSERT_EQ(s[i].status, failed ? 'm' : 'n') << next;
                // The band ends below 300: values 2x of 300 and beyond are not drawn.
                if (failed || 2 * next >= 300) {
                    ASSERT_EQ(s[i].mark, Sample::Skip) << next;
                } else {
                    ASSERT_EQ(s[i].mark, Sample::Pixel) << next;
                    ASSERT_EQ(s[i].column, next);
                    ASSERT_EQ(s[i].row, 1000 - 2 * next);
                }
            }
            sampler.release(chunk);
        }
        EXPECT_EQ(next, std::int64_t{c.count} + 1);
    }
    for (std::int64_t x = 1; x <= c.count; ++x)
        ASSERT_EQ(program.calls(x), 1) << "x = " << x;
    EXPECT_EQ(program.totalCalls(), c.count);
}

INSTANTIATE_TEST_SUITE_P(
    Sampler, SamplerTest,
    ::testing::Values(SamplerCase{"Empty", 0, 2}, SamplerCase{"OneSample", 1, 2},
                      SamplerCase{"OneChunkLessOne", 511, 2}, SamplerCase{"OneChunk", 512, 2},
                      SamplerCase{"OneChunkAndOne", 513, 2},
                      SamplerCase{"ManyChunksOneThread", 20000, 1},
                      SamplerCase{"ManyChunksTwoThreads", 20000, 2},
                      SamplerCase{"ManyChunksFiveThreads", 20000, 5}),
    [](const ::testing::TestParamInfo<SamplerCase> &row) { return row.param.name; });

// The x values are one running sum, each step added at extended precision to the x before
// it, whatever the chunk and the thread: not start + i * step.
TEST(Sampler, XIsOneRunningSum) {
    constexpr std::int32_t kCount = 5000;
    const CountingProgram program(kCount, -1);
    const long double step = 0.1L;
    Sampler<CountingProgram> sampler(program, kUnitMapping, -1e9L, 1e9L, 0, step, kCount, 3);
    double x = 0;
    int differsFromProduct = 0;
    for (std::int32_t chunk = 0, i = 1; chunk < sampler.chunks(); ++chunk) {
        std::int32_t size = 0;
        const Sample *s = sampler.chunk(chunk, size);
        for (std::int32_t j = 0; j < size; ++j, ++i) {
            x = static_cast<double>(x + step);
            ASSERT_EQ(s[j].x, x) << i;
            differsFromProduct += s[j].x != static_cast<double>(i * step);
        }
        sampler.release(chunk);
    }
    EXPECT_GT(differsFromProduct, 0); // the two ways do part somewhere
}

// A sample beyond the 32-bit range is left for the walk to place; one that is not finite too.
TEST(Sampler, FarSamplesAreLeftToTheWalk) {
    const CountingProgram program(3, -1);
    const Mapping tiny{0, 1e-300, 1000, 1};
    Sampler<CountingProgram> sampler(program, tiny, -1e9L, 1e9L, 0, 1, 3, 1);
    std::int32_t size = 0;
    const Sample *s = sampler.chunk(0, size);
    ASSERT_EQ(size, 3);
    EXPECT_EQ(s[0].mark, Sample::Far);
    EXPECT_EQ(s[2].mark, Sample::Far);
}

// An exception on a worker reaches the caller at its sample; the samples before it are
// whole, and the sampler ends without waiting for the rest of the pass.
TEST(Sampler, ExceptionIsHandedToTheWalkAtItsSample) {
    for (unsigned threads : {1u, 2u, 4u}) {
        SCOPED_TRACE(threads);
        constexpr std::int32_t kCount = 100000, kThrowAt = 30001;
        const CountingProgram program(kCount, kThrowAt);
        {
            Sampler<CountingProgram> sampler(program, kUnitMapping, -1e9L, 1e9L, 0, 1, kCount,
                                             threads);
            std::int64_t x = 1;
            bool raised = false;
            for (std::int32_t chunk = 0; chunk < sampler.chunks() && !raised; ++chunk) {
                std::int32_t size = 0;
                const Sample *s = sampler.chunk(chunk, size);
                for (std::int32_t i = 0; i < size; ++i, ++x) {
                    if (s[i].mark == Sample::Threw) {
                        EXPECT_EQ(x, kThrowAt);
                        EXPECT_EQ(s[i].status, 'n');
                        try {
                            std::rethrow_exception(sampler.failure());
                        } catch (const std::runtime_error &error) {
                            EXPECT_STREQ(error.what(), "at 30001");
                        }
                        raised = true;
                        break;
                    }
                    ASSERT_EQ(s[i].value, 2.0 * x);
                }
                sampler.release(chunk);
            }
            EXPECT_TRUE(raised);
        }
        // Nothing far beyond the failing sample was evaluated.
        EXPECT_LE(program.totalCalls(), kThrowAt + (Sampler<CountingProgram>::kRing + 1) *
                                                       Sampler<CountingProgram>::kChunk);
    }
}

// A walk that stops early (a cancelled build) leaves at once; the ring of chunks keeps the
// workers from running far ahead of it.
TEST(Sampler, StoppingEarlyEvaluatesLittleMore) {
    constexpr std::int32_t kCount = 1000000;
    const CountingProgram program(kCount, -1);
    {
        Sampler<CountingProgram> sampler(program, kUnitMapping, -1e9L, 1e9L, 0, 1, kCount, 3);
        std::int32_t size = 0;
        sampler.chunk(0, size);
        sampler.release(0);
        sampler.chunk(1, size);
    }
    EXPECT_GE(program.totalCalls(), 2 * Sampler<CountingProgram>::kChunk);
    EXPECT_LE(program.totalCalls(),
              (Sampler<CountingProgram>::kRing + 2) * Sampler<CountingProgram>::kChunk);
}

// ---------------------------------------------------------------------------------------
// The worker pool.

TEST(WorkerPool, TaskRunsOnEveryWorkerAndItsExceptionComesBack) {
    WorkerPool pool;
    std::atomic<int> runs{0};
    ASSERT_TRUE(pool.start(3, [&runs] {
        if (runs.fetch_add(1) == 1)
            throw std::runtime_error("worker");
    }));
    EXPECT_FALSE(pool.start(1, [] {})); // held until finish()
    const std::exception_ptr failure = pool.finish();
    EXPECT_EQ(runs.load(), 3);
    EXPECT_EQ(pool.size(), 3u);
    ASSERT_TRUE(failure);
    EXPECT_THROW(std::rethrow_exception(failure), std::runtime_error);

    // Free again; a smaller run uses some of the threads there are, a bigger one adds some.
    runs = 0;
    ASSERT_TRUE(pool.start(2, [&runs] { ++runs; }));
    EXPECT_EQ(pool.finish(), nullptr);
    EXPECT_EQ(runs.load(), 2);
    ASSERT_TRUE(pool.start(5, [&runs] { ++runs; }));
    EXPECT_EQ(pool.finish(), nullptr);
    EXPECT_EQ(runs.load(), 7);
    EXPECT_EQ(pool.size(), 5u);
}

// Workers woken ahead of a task take it when it comes, whether they are still looking for
// it or asleep again; a pool is destroyed cleanly while its workers look for a task.
TEST(WorkerPool, WokenAheadWorkersTakeTheTask) {
    for (int pause : {0, 5}) {
        WorkerPool pool;
        pool.prepare(2);
        EXPECT_EQ(pool.size(), 2u);
        std::this_thread::sleep_for(std::chrono::milliseconds(pause));
        std::atomic<int> runs{0};
        ASSERT_TRUE(pool.start(2, [&runs] { ++runs; }));
        pool.prepare(4); // held: nothing happens
        EXPECT_EQ(pool.finish(), nullptr);
        EXPECT_EQ(runs.load(), 2);
        EXPECT_EQ(pool.size(), 2u);
        pool.prepare(3);
    }
}

// ---------------------------------------------------------------------------------------
// Whole builds: several threads against one.

class ThreadsHost : public BuildGraphHost {
  public:
    explicit ThreadsHost(unsigned threads, std::int64_t cancelAt = -1)
        : threads_(threads), cancelAt_(cancelAt) {}
    void askInterval() override {}
    void setErrorLabelVisible(bool visible) override { calls.push_back(visible ? -1 : -2); }
    void showReadoutLabels() override { calls.push_back(-3); }
    void sampleProgress(std::int64_t done, std::int64_t total) override {
        calls.push_back(done);
        last = done;
        totals = total;
    }
    bool cancelRequested() override { return cancelAt_ >= 0 && last >= cancelAt_; }
    unsigned sampleThreads() const override { return threads_; }

    std::vector<std::int64_t> calls; // progress, and the window's other calls as negatives
    std::int64_t last = 0, totals = 0;

  private:
    unsigned threads_;
    std::int64_t cancelAt_;
};

struct Outcome {
    QImage picture;
    PlotState state;
    char status = 0;
    std::vector<std::int64_t> calls;
    std::string error; // the exception's type and text, empty when none
};

Outcome BuildOn(unsigned threads, const std::string &formula, const PlotState &start,
                std::int64_t cancelAt = -1) {
    Outcome out;
    out.state = start;
    Canvas canvas;
    ThreadsHost host(threads, cancelAt);
    FormulaStatus = 'x';
    try {
        BuildGraph(out.state, canvas, formula, host);
    } catch (const BuildCancelled &) {
        out.error = "cancelled";
    } catch (const std::exception &error) {
        out.error = typeid(error).name() + std::string(": ") + error.what();
    }
    out.status = FormulaStatus;
    out.calls = host.calls;
    out.picture = canvas.image();
    return out;
}

// The rightmost column holding the graph's colour (red), or -1.
int RightmostRed(const QImage &image) {
    for (int x = image.width() - 1; x >= 0; --x)
        for (int y = 0; y < image.height(); ++y)
            if (image.pixel(x, y) == qRgb(255, 0, 0))
                return x;
    return -1;
}

void ExpectSameBuild(const Outcome &one, const Outcome &many) {
    EXPECT_EQ(one.error, many.error);
    EXPECT_TRUE(SameBytes(one.picture, many.picture)) << "the pictures differ";
    EXPECT_EQ(one.status, many.status);
    EXPECT_EQ(one.calls, many.calls);
    const PlotState &a = one.state, &b = many.state;
    EXPECT_TRUE(SameBits(a.CurrentX, b.CurrentX)) << a.CurrentX << " " << b.CurrentX;
    EXPECT_TRUE(SameBits(a.CurrentValue, b.CurrentValue))
        << a.CurrentValue << " " << b.CurrentValue;
    EXPECT_TRUE(SameBits(a.StartValue, b.StartValue));
    EXPECT_TRUE(SameBits(a.XUnitsPerPixel, b.XUnitsPerPixel));
    EXPECT_TRUE(SameBits(a.YUnitsPerPixel, b.YUnitsPerPixel));
    EXPECT_EQ(a.GraphPresent, b.GraphPresent);
    EXPECT_EQ(a.ClearPending, b.ClearPending);
}

PlotState Field(int width, int height, int precision) {
    PlotState s;
    SetStartValues(s, width, height);
    s.Precision = precision;
    s.GraphColor = 0x0000FF;
    s.AxesColor = 0xFF0000;
    s.BackgroundColor = 0xFFFFFF;
    return s;
}

// The heaviest build the properties dialog allows, on one thread, on two, three and five,
// and on as many as the machine has.
TEST(ParallelBuild, WorstCaseIsTheSameOnAnyNumberOfThreads) {
    const PlotState start = Field(800, 600, 100);
    const Outcome one = BuildOn(1, kLongFormula, start);
    ASSERT_EQ(one.error, "");
    ASSERT_EQ(one.state.GraphPresent, 1);
    // The pass runs from -10 to 10 in 80,100 samples: progress after every 4,096 of them,
    // then once at the end; then the read-out labels.
    std::vector<std::int64_t> expected{-2};
    for (std::int64_t done = 4096; done < 80100; done += 4096)
        expected.push_back(done);
    expected.push_back(80100);
    expected.push_back(-3);
    EXPECT_EQ(one.calls, expected);
    EXPECT_NEAR(one.state.CurrentX, 10, 1e-9); // the last sample lands on the right edge
    EXPECT_EQ(RightmostRed(one.picture), 799); // the curve leaves by the right edge
    for (unsigned threads : {2u, 3u, 5u, 0u}) {
        SCOPED_TRACE(threads);
        ExpectSameBuild(one, BuildOn(threads, kLongFormula, start));
    }
}

// A build cancelled on several threads stops where the one-thread build stops, with the same
// part of the curve drawn and the same sample stored.
TEST(ParallelBuild, CancelledBuildStopsAtTheSameSample) {
    const PlotState start = Field(800, 600, 100);
    const Outcome one = BuildOn(1, kLongFormula, start, 12288);
    ASSERT_EQ(one.error, "cancelled");
    EXPECT_EQ(one.state.GraphPresent, 0);
    // 12,288 samples of 20 / 80,100 from -10 are done: x = -6.93.
    EXPECT_NEAR(one.state.CurrentX, -10 + 12288 * 20.0 / 80100, 1e-9);
    EXPECT_EQ(one.calls, (std::vector<std::int64_t>{-2, 4096, 8192, 12288}));
    ExpectSameBuild(one, BuildOn(2, kLongFormula, start, 12288));
    ExpectSameBuild(one, BuildOn(4, kLongFormula, start, 12288));
    // The curve stops short of column 123 (x = -6.93); the whole one goes on to the edge.
    EXPECT_LE(RightmostRed(one.picture), 123);
    EXPECT_GE(RightmostRed(one.picture), 100);
}

// The curve drawn the plain way, one line call per sample, for formulas that have a value
// inside the band at the left edge: the build must leave the same picture, however many of
// its samples fall on the pixel before and whatever threads evaluate them.
QImage PlainCurve(const std::string &formula, const PlotState &built) {
    Canvas canvas;
    canvas.ensure(built.FieldWidth, built.FieldHeight + 1);
    canvas.setBrushColor(built.BackgroundColor);
    canvas.fillRect(canvas.image().rect());
    canvas.setPenColor(built.AxesColor);
    const int axisColumn = static_cast<int>(-built.XMin / built.XUnitsPerPixel);
    const int axisRow = static_cast<int>(built.YMax / built.YUnitsPerPixel);
    canvas.moveTo(axisColumn, 1);
    canvas.lineTo(axisColumn, built.FieldHeight);
    canvas.moveTo(1, axisRow);
    canvas.lineTo(built.FieldWidth, axisRow);
    canvas.setPenColor(built.GraphColor);
    auto column = [&](double x) {
        return static_cast<int>(
            std::lrint((x - static_cast<long double>(built.XMin)) / built.XUnitsPerPixel));
    };
    auto row = [&](double y) {
        return static_cast<int>(
            std::lrint((static_cast<long double>(built.YMax) - y) / built.YUnitsPerPixel));
    };
    SetFormulaText(formula);
    FormulaStatus = 'n';
    double x = built.XMin;
    canvas.moveTo(column(x), row(EvaluateFormula(x)));
    const long double step = static_cast<long double>(built.XUnitsPerPixel) / built.Precision;
    const long double count =
        (static_cast<long double>(built.XMax) - x) * built.Precision / built.XUnitsPerPixel;
    for (long i = 0, n = std::lrint(count); i < n; ++i) {
        x = static_cast<double>(x + step);
        FormulaStatus = 'n';
        const double y = EvaluateFormula(x);
        if (FormulaStatus == 'n' && built.YMin - 1000.0L < y && y < built.YMax + 1000.0L)
            canvas.lineTo(column(x), row(y));
    }
    return canvas.image();
}

TEST(ParallelBuild, PictureIsTheCurveDrawnSampleBySample) {
    const PlotState start = Field(640, 440, 100);
    for (const std::string formula :
         {"sin(x*300)*5", "x^3-x*4", "1/(x-0,5)", "tg(x)*100", kLongFormula.c_str()}) {
        SCOPED_TRACE(formula);
        for (unsigned threads : {1u, 2u}) {
            const Outcome built = BuildOn(threads, formula, start);
            ASSERT_EQ(built.error, "");
            EXPECT_TRUE(SameBytes(built.picture, PlainCurve(formula, built.state)))
                << threads << " threads";
        }
    }
}

struct FieldCase {
    const char *name;
    int width, height, precision;
    double yMin, yMax;
};

class RandomFormulaBuild : public ::testing::TestWithParam<FieldCase> {};

TEST_P(RandomFormulaBuild, IsTheSameOnOneThreadAndOnSeveral) {
    const FieldCase &c = GetParam();
    PlotState start = Field(c.width, c.height, c.precision);
    start.YMin = c.yMin;
    start.YMax = c.yMax;
    std::mt19937 random(20261207);
    int drawn = 0;
    for (int k = 0; k < 12; ++k) {
        const std::string formula =
            kurvanto::testing::Spoiled(random, kurvanto::testing::RandomFormula(random, 4))
                .substr(0, 80);
        SCOPED_TRACE(formula);
        const Outcome one = BuildOn(1, formula, start);
        drawn += one.state.GraphPresent;
        ExpectSameBuild(one, BuildOn(3, formula, start));
        ExpectSameBuild(one, BuildOn(0, formula, start));
    }
    EXPECT_GE(drawn, 6); // most of them are built at all
}

INSTANTIATE_TEST_SUITE_P(ParallelBuild, RandomFormulaBuild,
                         ::testing::Values(FieldCase{"Square", 300, 300, 30, -10, 10},
                                           FieldCase{"Wide", 700, 200, 9, -10, 10},
                                           FieldCase{"TinyYRange", 400, 300, 12, -1e-6, 1e-6},
                                           FieldCase{"HugeYRange", 400, 300, 12, -1e12, 1e12}),
                         [](const ::testing::TestParamInfo<FieldCase> &row) {
                             return row.param.name;
                         });

} // namespace
} // namespace kurvanto
