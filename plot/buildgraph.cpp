// SPDX-License-Identifier: GPL-3.0-or-later
#include "buildgraph.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>
#include <optional>
#include <thread>

#include "acceptance.h"
#include "errors.h"
#include "fieldextras.h"
#include "formula.h"
#include "program.h"
#include "rounding.h"
#include "sampler.h"

namespace kurvanto {

namespace {

// Distance from the picture beyond which a line end is moved back along its line before it
// is handed to the canvas: far outside any picture, well inside the 32-bit range.
constexpr long double kClipLimit = 16777216.0L;

// A pixel position that may lie beyond the 32-bit range: already rounded to a whole number.
struct Pixel {
    long double x = 0, y = 0;
    bool fits() const { return FitsInt32(x) && FitsInt32(y); }
    bool finite() const { return std::isfinite(x) && std::isfinite(y); }
};

// The axis position Trunc(numerator / unitsPerPixel). An empty range (no units per pixel) is
// the invalid operation of the run; a position beyond the 32-bit range lies far outside the
// picture anyway and is held at the nearest end of that range.
std::int32_t AxisPosition(long double numerator, double unitsPerPixel) {
    const long double q = numerator / unitsPerPixel;
    if (unitsPerPixel == 0 || std::isnan(q))
        throw InvalidOperation();
    if (auto t = TryTrunc(q))
        return *t;
    return q < 0 ? std::numeric_limits<std::int32_t>::min()
                 : std::numeric_limits<std::int32_t>::max();
}

// Liang-Barsky: trims the segment a-b to the square |x|, |y| <= kClipLimit. False when the
// segment misses the square.
bool ClipToLimit(Pixel &a, Pixel &b) {
    const long double dx = b.x - a.x, dy = b.y - a.y;
    long double t0 = 0, t1 = 1;
    const long double p[4] = {-dx, dx, -dy, dy};
    const long double q[4] = {a.x + kClipLimit, kClipLimit - a.x, a.y + kClipLimit,
                              kClipLimit - a.y};
    for (int i = 0; i < 4; ++i) {
        if (p[i] == 0) {
            if (q[i] < 0)
                return false;
            continue;
        }
        const long double r = q[i] / p[i];
        if (p[i] < 0)
            t0 = std::max(t0, r);
        else
            t1 = std::min(t1, r);
    }
    if (t0 > t1)
        return false;
    const Pixel from = a;
    if (t0 > 0)
        a = {std::rint(from.x + t0 * dx), std::rint(from.y + t0 * dy)};
    if (t1 < 1)
        b = {std::rint(from.x + t1 * dx), std::rint(from.y + t1 * dy)};
    return true;
}

// The threads for a pass of `count` samples.
unsigned SampleThreads(const BuildGraphHost &host, long double count) {
    // Below this many samples, waking the workers costs about what they would save.
    constexpr long double kParallelMinimum = 4096;
    if (!(count >= kParallelMinimum))
        return 1;
    unsigned threads = host.sampleThreads();
    if (threads == 0)
        threads = std::thread::hardware_concurrency();
    return std::clamp(threads, 1u, 64u);
}

// The run itself; one instance per build.
class GraphRun {
  public:
    GraphRun(PlotState &state, Canvas &canvas, BuildGraphHost &host, const FieldOptions &options,
             const ParameterValues *parameters)
        : s_(state), canvas_(canvas), host_(host), options_(options), parameters_(parameters) {
        SetFormulaParameters(parameters);
    }

    // True when the build completed (the formula was accepted).
    bool run(const std::string &formula);

  private:
    void fixScale();
    bool prepare(const std::string &formula);
    void drawAxes();
    void searchStart();
    void placeStart();
    void drawPass();

    long double step() const { return static_cast<long double>(s_.XUnitsPerPixel) / s_.Precision; }
    long double bandLow() const { return static_cast<long double>(s_.YMin) - 1000; }
    long double bandHigh() const { return static_cast<long double>(s_.YMax) + 1000; }
    long double column(double x) const {
        return PixelPosition((static_cast<long double>(x) - s_.XMin) / s_.XUnitsPerPixel);
    }
    long double row(double y) const {
        return PixelPosition((static_cast<long double>(s_.YMax) - y) / s_.YUnitsPerPixel);
    }
    // Evaluates at CurrentX after storing "n"; remembers the value and the status it left.
    void evaluateHere();
    bool advance();
    void lineTo(Pixel to);
    // The stored value of a sample the quick pass placed is near the engine's; the one the run
    // leaves behind is the engine's own.
    void settleValue(const FormulaProgram &program) {
        if (!valueQuick_)
            return;
        char status = 'n';
        s_.CurrentValue = program.Evaluate(s_.CurrentX, status);
        valueQuick_ = false;
    }
    // Breaks: the pen is not joined to `to` across a missing sample nor from beyond one edge
    // of the field (above the top, below the bottom) to beyond the other.
    bool breakBefore(const Pixel &from, const Pixel &to) const {
        const long double bottom = s_.FieldHeight;
        return gap_ || (from.y < 0 && to.y > bottom) || (from.y > bottom && to.y < 0);
    }

    PlotState &s_;
    Canvas &canvas_;
    BuildGraphHost &host_;
    const FieldOptions &options_;
    const ParameterValues *parameters_;
    bool gap_ = false;    // breaks: a missing sample lies between the pen and the next point
    std::string formula_; // as typed
    std::int32_t axisColumn_ = 0, axisRow_ = 0;
    // The value and status of the last evaluation, valid while `evaluated_` (at CurrentX).
    bool evaluated_ = false;
    double value_ = 0;
    char status_ = 'n';
    bool valueQuick_ = false; // CurrentValue is a quick sample's
    Pixel pen_;               // the pen position, which may lie beyond what the canvas can hold
};

bool GraphRun::run(const std::string &formula) {
    formula_ = formula;
    fixScale();
    // A pass of about this many samples follows (fewer when the curve starts later): the
    // workers are woken while the picture is prepared.
    const long double samples = (static_cast<long double>(s_.IntervalTo) - s_.IntervalFrom) *
                                s_.Precision / s_.XUnitsPerPixel;
    if (const unsigned threads = SampleThreads(host_, samples); threads > 1)
        WorkerPool::shared().prepare(threads - 1);
    if (!prepare(formula))
        return false;
    drawAxes();
    canvas_.setPenColor(s_.GraphColor);
    searchStart();
    placeStart();
    drawPass();
    s_.ClearPending = 0;
    host_.showReadoutLabels();
    s_.GraphPresent = 1;
    return true;
}

void GraphRun::fixScale() {
    if (s_.IntervalMode) {
        host_.askInterval();
    } else {
        s_.IntervalFrom = s_.XMin;
        s_.IntervalTo = s_.XMax;
    }
    s_.XUnitsPerPixel = (static_cast<long double>(s_.XMax) - s_.XMin) / (s_.FieldWidth + 1.0L);
    s_.ReadoutXUnitsPerPixel = s_.XUnitsPerPixel;
    s_.YUnitsPerPixel = (static_cast<long double>(s_.YMax) - s_.YMin) / (s_.FieldHeight + 1.0L);
    s_.ReadoutYUnitsPerPixel = s_.YUnitsPerPixel;
    axisColumn_ = AxisPosition(-static_cast<long double>(s_.XMin), s_.XUnitsPerPixel);
    axisRow_ = AxisPosition(s_.YMax, s_.YUnitsPerPixel);
}

// Check, trial evaluation and the picture; false when the formula is wrong.
bool GraphRun::prepare(const std::string &formula) {
    SetFormulaText(formula);
    FormulaStatus = 'n';
    CheckFormula();
    if (FormulaStatus == 'f') {
        host_.setErrorLabelVisible(true);
        return false;
    }
    FormulaStatus = 'n';
    EvaluateFormula(2);
    if (s_.ClearPending)
        canvas_.clear();
    const long double height = s_.FieldHeight + 1.0L;
    canvas_.ensure(s_.FieldWidth, FitsInt32(height) ? static_cast<int>(height) : s_.FieldHeight);
    canvas_.setPenColor(s_.AxesColor);
    canvas_.setPenWidth(1);
    canvas_.setPenStyle(Qt::SolidLine);
    canvas_.setBrushColor(s_.BackgroundColor);
    if (s_.ClearPending) {
        canvas_.fillRect(canvas_.rect());
        if (options_.grid) {
            DrawGrid(s_, canvas_);
            canvas_.setPenColor(s_.AxesColor);
        }
    }
    // A formula the program does not accept is refused here like one the trial finds
    // malformed, whatever x: text left after the end ('2 x'), a token in place of ")", a
    // failure that a later one hides. A number the conversion refuses raised its error above.
    const bool wrong = FormulaStatus == 'f' || FindFormulaFault(formula).has_value();
    host_.setErrorLabelVisible(wrong);
    return !wrong;
}

void GraphRun::drawAxes() {
    canvas_.moveTo(axisColumn_, 1);
    canvas_.lineTo(axisColumn_, s_.FieldHeight);
    canvas_.moveTo(1, axisRow_);
    canvas_.lineTo(s_.FieldWidth, axisRow_);
}

void GraphRun::evaluateHere() {
    FormulaStatus = 'n';
    value_ = EvaluateFormula(s_.CurrentX);
    status_ = FormulaStatus;
    evaluated_ = true;
}

// CurrentX := CurrentX + step; false when the step is too small to move x at all.
bool GraphRun::advance() {
    const double next = static_cast<long double>(s_.CurrentX) + step();
    evaluated_ = false;
    if (next == s_.CurrentX)
        return false;
    s_.CurrentX = next;
    return true;
}

// The first sample from IntervalFrom onwards that evaluates without failure inside the
// closed guard band. Each sample is evaluated once: the evaluator's result depends on x only.
void GraphRun::searchStart() {
    const long double from = s_.IntervalFrom, to = s_.IntervalTo;
    const long double unit = s_.XUnitsPerPixel;
    s_.CurrentX = s_.IntervalFrom;
    FormulaStatus = 'l';
    evaluated_ = false;
    for (;;) {
        if (FormulaStatus == 'n') {
            if (!evaluated_)
                evaluateHere();
            if (bandLow() <= value_ && value_ <= bandHigh())
                break;
            if (std::fabs(from) <= unit || std::fabs(to) <= unit)
                break;
        }
        if (s_.CurrentX < from || s_.CurrentX > to)
            break;
        if (!evaluated_)
            evaluateHere();
        // A sample that fails in any way is passed over; only "m" can reach here unless the
        // formula's failure depends on x, and staying on such a sample would never end.
        if (status_ != 'n' || value_ > bandHigh() || value_ < bandLow()) {
            if (!advance())
                break;
        }
    }
}

void GraphRun::placeStart() {
    if (evaluated_) {
        // The evaluator keeps a status stored before it unless it meets a failure itself.
        if (status_ != 'n')
            FormulaStatus = status_;
        s_.StartValue = value_;
    } else {
        s_.StartValue = EvaluateFormula(s_.CurrentX);
    }
    // A start point whose row lies beyond the 32-bit range (no sample in the guard band, a
    // huge value at a deep zoom) is a point far beyond the field like any other: the first
    // line from it is clipped, nothing is raised.
    pen_ = {column(s_.CurrentX), row(s_.StartValue)};
    if (pen_.fits())
        canvas_.moveTo(WholeToInt32(pen_.x), WholeToInt32(pen_.y));
}

// The samples are evaluated ahead (in parallel when there are many); the walk below draws
// them one after another exactly as if each were evaluated in its turn: the stored x, value
// and status follow each sample, and the host hears of progress between the same samples.
void GraphRun::drawPass() {
    const std::int32_t count = Round((static_cast<long double>(s_.IntervalTo) - s_.CurrentX) *
                                     s_.Precision / s_.XUnitsPerPixel);
    const Mapping mapping{s_.XMin, s_.XUnitsPerPixel, s_.YMax, s_.YUnitsPerPixel};
    // The program of the text the run checked; it may be evaluated on several threads.
    const FormulaProgram program =
        parameters_ ? FormulaProgram(formula_, *parameters_) : FormulaProgram(formula_);
    Sampler<FormulaProgram> sampler(program, mapping, bandLow(), bandHigh(), s_.CurrentX, step(),
                                    count, SampleThreads(host_, count), host_.quickPass());
    constexpr std::int32_t kReportEvery = 4096;
    std::int32_t i = 0;
    bool penAtLast = false; // the pen is at (lastColumn, lastRow)
    std::int32_t lastColumn = 0, lastRow = 0;
    for (std::int32_t c = 0; c < sampler.chunks(); ++c) {
        std::int32_t size = 0;
        const Sample *samples = sampler.chunk(c, size);
        for (const Sample *sample = samples; sample != samples + size; ++sample, ++i) {
            if (i % kReportEvery == 0 && i > 0) {
                host_.sampleProgress(i, count);
                if (host_.cancelRequested()) {
                    settleValue(program);
                    throw BuildCancelled{};
                }
            }
            s_.CurrentX = sample->x;
            FormulaStatus = sample->status;
            if (sample->mark == Sample::Threw)
                std::rethrow_exception(sampler.failure());
            s_.CurrentValue = sample->value;
            valueQuick_ = sample->quick;
            if (sample->mark == Sample::Pixel) {
                const Pixel to{static_cast<long double>(sample->column),
                               static_cast<long double>(sample->row)};
                // Most samples of a dense pass fall on the pixel of the one before.
                if (!penAtLast || (options_.breaks && breakBefore(pen_, to))) {
                    lineTo(to);
                    penAtLast = true;
                } else if (sample->column != lastColumn || sample->row != lastRow) {
                    // Both ends fit: what lineTo does, without its checks.
                    canvas_.lineTo(sample->column, sample->row);
                    pen_ = {static_cast<long double>(sample->column),
                            static_cast<long double>(sample->row)};
                }
                lastColumn = sample->column;
                lastRow = sample->row;
            } else if (sample->mark == Sample::Far) {
                lineTo({column(sample->x), row(sample->value)});
                penAtLast = false;
            } else if (sample->status != 'n') {
                gap_ = options_.breaks; // no value here: with breaks on, no line across it
            }
        }
        sampler.release(c);
    }
    settleValue(program);
    if (count > 0)
        host_.sampleProgress(count, count);
    host_.quickShare(sampler.quickCount(), count);
}

// A line from the pen to `to`. Ends beyond the 32-bit range (a huge or tiny scale) are moved
// back along the line to just outside the picture, so the visible part is drawn exactly
// where it belongs; a point with no position at all is skipped and the pen stays.
void GraphRun::lineTo(Pixel to) {
    if (!to.finite())
        return;
    Pixel from = pen_;
    pen_ = to;
    if (options_.breaks && breakBefore(from, to)) {
        gap_ = false;
        if (to.fits())
            canvas_.moveTo(WholeToInt32(to.x), WholeToInt32(to.y));
        return;
    }
    if (from.fits() && to.fits()) {
        // A pen that fits is where the canvas's pen is; a line that does not leave its
        // pixel draws nothing and moves nothing.
        if (from.x != to.x || from.y != to.y)
            canvas_.lineTo(WholeToInt32(to.x), WholeToInt32(to.y));
        return;
    }
    if (!from.finite()) {
        if (to.fits())
            canvas_.moveTo(WholeToInt32(to.x), WholeToInt32(to.y));
        return;
    }
    const Pixel end = to;
    if (ClipToLimit(from, to)) {
        canvas_.moveTo(WholeToInt32(from.x), WholeToInt32(from.y));
        canvas_.lineTo(WholeToInt32(to.x), WholeToInt32(to.y));
    }
    if (end.fits()) // keep the canvas's pen where the next line starts
        canvas_.moveTo(WholeToInt32(end.x), WholeToInt32(end.y));
}

} // namespace

void BuildGraph(PlotState &state, Canvas &canvas, const std::string &formula,
                BuildGraphHost &host) {
    BuildGraph(state, canvas, formula, host, FieldOptions{});
}

void BuildGraph(PlotState &state, Canvas &canvas, const std::string &formula, BuildGraphHost &host,
                const FieldOptions &options) {
    BuildGraph(state, canvas, formula, host, options, nullptr);
}

void BuildGraph(PlotState &state, Canvas &canvas, const std::string &formula, BuildGraphHost &host,
                const FieldOptions &options, const ParameterValues *parameters) {
    if (GraphRun(state, canvas, host, options, parameters).run(formula) && options.numbers)
        DrawNumbers(state, canvas);
}

} // namespace kurvanto
