// SPDX-License-Identifier: GPL-3.0-or-later
// The quick pass against the extended engine alone: a build with the quick pass and the same
// build without it leave the same picture to the byte, the same stored state to the bit, the
// same status, the same exception and the same host calls.
#include <QImage>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <gtest/gtest.h>
#include <optional>
#include <random>
#include <sstream>
#include <string>
#include <typeinfo>
#include <vector>

#include "bits.h"
#include "buildgraph.h"
#include "formula.h"
#include "pixels.h"
#include "program.h"
#include "randomformula.h"
#include "recordinghost.h"

namespace kurvanto {
namespace {

using kurvanto::testing::SameBits;

// A build's host with the quick pass on or off; it may ask to stop once progress reaches
// `cancelAt` samples.
class SwitchHost : public kurvanto::testing::RecordingHost {
  public:
    SwitchHost(bool quick, std::int64_t cancelAt) : quick_(quick), cancelAt_(cancelAt) {}
    bool quickPass() const override { return quick_; }
    void sampleProgress(std::int64_t done, std::int64_t total) override {
        progress.push_back(done);
        progress.push_back(total);
        last_ = done;
    }
    bool cancelRequested() override { return cancelAt_ >= 0 && last_ >= cancelAt_; }

    std::vector<std::int64_t> progress;

  private:
    bool quick_;
    std::int64_t cancelAt_, last_ = 0;
};

struct QuickCase {
    std::string formula;
    PlotState start;
    FieldOptions options;
    std::optional<ParameterValues> parameters;
    double from = 0, to = 0; // the interval the host answers in interval mode
    std::int64_t cancelAt = -1;
};

struct Outcome {
    QImage picture;
    PlotState state;
    char status = 0;
    std::string error; // the exception's type and text, empty when none
    SwitchHost host{false, -1};
};

Outcome Build(const QuickCase &c, bool quick) {
    Outcome out;
    out.state = c.start;
    out.host = SwitchHost(quick, c.cancelAt);
    out.host.state = &out.state;
    out.host.from = c.from;
    out.host.to = c.to;
    Canvas canvas;
    FormulaStatus = 'x';
    try {
        BuildGraph(out.state, canvas, c.formula, out.host, c.options,
                   c.parameters ? &*c.parameters : nullptr);
    } catch (const BuildCancelled &) {
        out.error = "cancelled";
    } catch (const std::exception &error) {
        out.error = typeid(error).name() + std::string(": ") + error.what();
    }
    out.status = FormulaStatus;
    out.picture = canvas.image();
    return out;
}

bool Same(double a, double b) {
    return SameBits(a, b);
}
bool Same(const Real48 &a, const Real48 &b) {
    return SameBits(a.value(), b.value());
}
bool Same(const QString &a, const QString &b) {
    return a == b;
}
template <class T> bool Same(T a, T b) {
    return a == b;
}

// What differs between two builds, by name; empty when nothing does.
std::string Differences(const Outcome &a, const Outcome &b) {
    std::string out;
    auto check = [&out](bool same, const char *name) {
        if (!same)
            out += std::string(name) + " ";
    };
#define KURVANTO_CHECK(field) check(Same(a.state.field, b.state.field), #field)
    // clang-format off
    KURVANTO_CHECK(FieldWidth); KURVANTO_CHECK(FieldHeight); KURVANTO_CHECK(XMin);
    KURVANTO_CHECK(XMax); KURVANTO_CHECK(YMin); KURVANTO_CHECK(YMax); KURVANTO_CHECK(AxesColor);
    KURVANTO_CHECK(GraphColor); KURVANTO_CHECK(BackgroundColor); KURVANTO_CHECK(Precision);
    KURVANTO_CHECK(ClearPending); KURVANTO_CHECK(GraphPresent); KURVANTO_CHECK(IntervalMode);
    KURVANTO_CHECK(RefuseStart); KURVANTO_CHECK(IntervalFrom); KURVANTO_CHECK(IntervalTo);
    KURVANTO_CHECK(XUnitsPerPixel); KURVANTO_CHECK(YUnitsPerPixel);
    KURVANTO_CHECK(ReadoutXUnitsPerPixel); KURVANTO_CHECK(ReadoutYUnitsPerPixel);
    KURVANTO_CHECK(CurrentX); KURVANTO_CHECK(CurrentValue); KURVANTO_CHECK(StartValue);
    KURVANTO_CHECK(DialogXMin); KURVANTO_CHECK(DialogYMin); KURVANTO_CHECK(DialogXMax);
    KURVANTO_CHECK(DialogYMax); KURVANTO_CHECK(DialogWidth); KURVANTO_CHECK(DialogHeight);
    KURVANTO_CHECK(TickMode); KURVANTO_CHECK(CornerMode); KURVANTO_CHECK(LabelMode);
    KURVANTO_CHECK(LabelColor); KURVANTO_CHECK(AnnotationX); KURVANTO_CHECK(AnnotationY);
    KURVANTO_CHECK(LabelText); KURVANTO_CHECK(LabelArmed); KURVANTO_CHECK(AnnotationConfirmed);
    KURVANTO_CHECK(LastClickX); KURVANTO_CHECK(LastClickY); KURVANTO_CHECK(LabelClickCount);
    KURVANTO_CHECK(RefuseMessage);
    // clang-format on
#undef KURVANTO_CHECK
    check(kurvanto::testing::SameBytes(a.picture, b.picture), "picture");
    check(a.status == b.status, "FormulaStatus");
    check(a.error == b.error, "exception");
    check(a.host.progress == b.host.progress && a.host.errorLabel == b.host.errorLabel &&
              a.host.readouts == b.host.readouts &&
              a.host.intervalRequests == b.host.intervalRequests,
          "host calls");
    return out;
}

std::string Describe(const QuickCase &c) {
    std::ostringstream out;
    out << std::hexfloat << '"' << c.formula << "\" x " << c.start.XMin << ".." << c.start.XMax
        << " y " << c.start.YMin << ".." << c.start.YMax << " size " << c.start.FieldWidth << "x"
        << c.start.FieldHeight << " precision " << c.start.Precision << " breaks "
        << c.options.breaks;
    if (c.start.IntervalMode)
        out << " interval " << c.from << ".." << c.to;
    if (c.parameters)
        for (double v : c.parameters->value)
            out << " " << v;
    return out.str();
}

PlotState Field(int width, int height, int precision, double xMin, double xMax, double yMin,
                double yMax) {
    PlotState s;
    SetStartValues(s, width, height);
    s.Precision = precision;
    s.XMin = xMin;
    s.XMax = xMax;
    s.YMin = yMin;
    s.YMax = yMax;
    s.GraphColor = 0x0000FF;
    s.AxesColor = 0x00FF00;
    s.BackgroundColor = 0xFFFFFF;
    return s;
}

// ---------------------------------------------------------------------------------------
// Random builds.

int Uniform(std::mt19937 &rng, int low, int high) {
    return std::uniform_int_distribution<int>(low, high)(rng);
}

double Real(std::mt19937 &rng, double low, double high) {
    return std::uniform_real_distribution<double>(low, high)(rng);
}

// A scale of any size, most often a moderate one.
double Magnitude(std::mt19937 &rng) {
    static const double magnitudes[] = {1e-300, 1e-150, 1e-20, 1e-6, 1e-2, 1,     1,
                                        1,      10,     100,   1e4,  1e12, 1e150, 1e300};
    return magnitudes[Uniform(rng, 0, 13)] * Real(rng, 0.1, 10);
}

// A range around nought, around some offset, or now and then empty or reversed.
void RandomRange(std::mt19937 &rng, double &low, double &high) {
    const double size = Magnitude(rng);
    const int kind = Uniform(rng, 0, 49);
    const double centre = kind < 25 ? 0 : kind < 40 ? size * Real(rng, -3, 3) : Magnitude(rng);
    low = centre - size * Real(rng, 0, 1);
    high = kind == 48 ? low : centre + size * Real(rng, 0.01, 1);
    if (kind == 49)
        std::swap(low, high);
}

// A field whose pixels are powers of two wide, with x stepping exactly: values of simple
// formulas often land exactly on a pixel edge or on the half-way point between rows.
void DyadicRange(std::mt19937 &rng, int pixels, int exponent, double &low, double &high) {
    const double unit = std::ldexp(1.0, exponent);
    low = -Uniform(rng, 0, pixels) * unit;
    high = low + pixels * unit;
}

PlotState RandomField(std::mt19937 &rng, bool dyadic) {
    PlotState s;
    if (dyadic) {
        const int width = 1 << Uniform(rng, 2, 8), height = 1 << Uniform(rng, 2, 6);
        const int span = Uniform(rng, 0, 9) == 0 ? 1000 : 12;
        s = Field(width - 1, height - 1, 1 << Uniform(rng, 0, 4), 0, 0, 0, 0);
        DyadicRange(rng, width, Uniform(rng, -span, span), s.XMin, s.XMax);
        DyadicRange(rng, height, Uniform(rng, -span, span), s.YMin, s.YMax);
    } else {
        s = Field(Uniform(rng, 1, 300), Uniform(rng, 1, 100), Uniform(rng, 1, 20), 0, 0, 0, 0);
        RandomRange(rng, s.XMin, s.XMax);
        RandomRange(rng, s.YMin, s.YMax);
    }
    return s;
}

double RandomValue(std::mt19937 &rng) {
    static const double values[] = {0, 1, -1, 0.5, 2, -3, 1e-300, 1e300, -1e300, 4.9e-324};
    const int kind = Uniform(rng, 0, 12);
    if (kind < 10)
        return values[kind];
    if (kind == 10)
        return Real(rng, -10, 10);
    return std::pow(10.0, Real(rng, -30, 30)) * (Uniform(rng, 0, 1) ? 1 : -1);
}

// A well-formed formula with some of its x written as parameters.
std::string WithParameters(std::mt19937 &rng, std::string formula) {
    for (char &c : formula)
        if ((c == 'x' || c == 'X') && Uniform(rng, 0, 1) == 0)
            c = "abckmABCKM"[Uniform(rng, 0, 9)];
    return formula;
}

// A well-formed formula that reads x (most of those drawn do).
std::string FormulaOfX(std::mt19937 &rng, int depth) {
    std::string formula;
    for (int tries = 0; tries < 8 && formula.find_first_of("xX") == std::string::npos; ++tries)
        formula = kurvanto::testing::RandomFormula(rng, depth);
    return formula;
}

// Ranges of y around the formula's value at the middle of an arbitrary field, now and then:
// where its samples go to rows rather than beyond the band.
void CentreOnValue(std::mt19937 &rng, QuickCase &c) {
    PlotState &s = c.start;
    const FormulaProgram program =
        c.parameters ? FormulaProgram(c.formula, *c.parameters) : FormulaProgram(c.formula);
    char status = 'n';
    double y = 0;
    try {
        y = program.Evaluate(s.XMin / 2 + s.XMax / 2, status);
    } catch (const std::exception &) {
        return;
    }
    if (status != 'n' || !std::isfinite(y))
        return;
    const double size = Uniform(rng, 0, 1) ? std::fabs(y) * Real(rng, 0.1, 4) : Magnitude(rng);
    s.YMin = y - size * Real(rng, 0.05, 1);
    s.YMax = y + size * Real(rng, 0.05, 1);
}

QuickCase RandomCase(int index) {
    std::mt19937 rng(20261208u + static_cast<unsigned>(index));
    QuickCase c;
    const bool dyadic = Uniform(rng, 0, 1) == 0;
    c.start = RandomField(rng, dyadic);
    const int kind = Uniform(rng, 0, 19);
    if (kind < 10)
        c.formula = FormulaOfX(rng, Uniform(rng, 1, 5));
    else if (kind < 12)
        c.formula = kurvanto::testing::Spoiled(rng, FormulaOfX(rng, 4), 1);
    else if (kind < 16)
        c.formula = WithParameters(rng, FormulaOfX(rng, Uniform(rng, 1, 4)));
    else
        c.formula = kurvanto::testing::RandomPieces(rng, 12);
    if (kind >= 12 && kind < 17) {
        c.parameters.emplace();
        for (double &v : c.parameters->value)
            v = RandomValue(rng);
    }
    if (!dyadic && Uniform(rng, 0, 1) == 0)
        CentreOnValue(rng, c);
    c.options.breaks = Uniform(rng, 0, 2) == 0;
    if (Uniform(rng, 0, 7) == 0) {
        c.start.IntervalMode = 1;
        c.from = c.start.XMin + (c.start.XMax - c.start.XMin) * Real(rng, -0.2, 0.8);
        c.to = c.start.XMin + (c.start.XMax - c.start.XMin) * Real(rng, 0.2, 1.2);
    }
    return c;
}

// The number of random builds; the soak run sets a larger one.
int RandomCaseCount() {
    const char *count = std::getenv("KURVANTO_QUICKPASS_CASES");
    return count != nullptr ? std::atoi(count) : 1000;
}

TEST(QuickPass, RandomBuildsAreTheSameWithAndWithout) {
    const int count = RandomCaseCount();
    int drawn = 0;
    for (int i = 0; i < count; ++i) {
        const QuickCase c = RandomCase(i);
        const Outcome extended = Build(c, false);
        const Outcome quick = Build(c, true);
        drawn += extended.state.GraphPresent;
        ASSERT_EQ(Differences(extended, quick), "") << "case " << i << ": " << Describe(c);
    }
    EXPECT_GE(drawn, count / 3); // most formulas are built at all
}

// ---------------------------------------------------------------------------------------
// Chosen builds at the edges where a double and the extended engine part.

struct EdgeCase {
    const char *name;
    const char *formula;
    int width, height, precision;
    double xMin, xMax, yMin, yMax;
    bool breaks, parameters; // parameters: a, b, c, k, m are 1e300, 1e-300, -2, 3, 0.5
    std::int64_t cancelAt;   // -1: the build runs to the end
    bool drawn;              // the build completes
};

// A failure names the row rather than printing its bytes.
void PrintTo(const EdgeCase &row, std::ostream *out) {
    *out << row.name;
}

class QuickPassEdges : public ::testing::TestWithParam<EdgeCase> {};

TEST_P(QuickPassEdges, BuildIsTheSameWithAndWithout) {
    const EdgeCase &e = GetParam();
    QuickCase c;
    c.formula = e.formula;
    c.start = Field(e.width, e.height, e.precision, e.xMin, e.xMax, e.yMin, e.yMax);
    c.options.breaks = e.breaks;
    c.cancelAt = e.cancelAt;
    if (e.parameters)
        c.parameters = ParameterValues{{1e300, 1e-300, -2, 3, 0.5}};
    const Outcome extended = Build(c, false);
    EXPECT_EQ(extended.state.GraphPresent, e.drawn) << extended.error;
    EXPECT_EQ(extended.error, e.cancelAt >= 0 ? "cancelled" : "");
    EXPECT_EQ(Differences(extended, Build(c, true)), "") << Describe(c);
}

// 640 pixels of 1/64 both ways: y = x/64 crosses the half-way points between rows, and with
// the 1/128 added lands on them.
INSTANTIATE_TEST_SUITE_P(
    QuickPass, QuickPassEdges,
    ::testing::Values(
        EdgeCase{"AlongPixelEdges", "x/64", 639, 639, 2, -320, 320, -5, 5, false, false, -1, true},
        EdgeCase{"OnHalfwayRows", "x/64+1/128", 639, 639, 1, -320, 320, -5, 5, true, false, -1,
                 true},
        EdgeCase{"SquareOnHalfway", "x^2/2", 63, 63, 4, -4, 4, -2, 14, false, false, -1, true},
        EdgeCase{"PowerOverflow", "x^300", 99, 99, 20, -20, 20, -1e308, 1e308, true, false, -1,
                 true},
        EdgeCase{"ProductOverflow", "10^300*x*10^8", 99, 99, 7, -20, 20, -1e308, 1e308, false,
                 false, -1, true},
        EdgeCase{"ExpOverflow", "e^x", 79, 79, 9, 700, 720, 0, 1.7e308, true, false, -1, true},
        EdgeCase{"Underflow", "1/x^300", 79, 79, 9, -20, 20, -1e-300, 1e-300, true, false, -1,
                 true},
        EdgeCase{"RootsAtZero", "sqrt(x)+ln(x)+lg(x)", 63, 63, 1, -1, 1, -5, 5, true, false, -1,
                 true},
        EdgeCase{"ArcsAtOne", "arcsin(x)+arccos(x)", 63, 63, 1, -1, 1, -4, 4, true, false, -1,
                 true},
        EdgeCase{"InverseAtZero", "1/x", 63, 63, 3, -1, 1, -64, 64, true, false, -1, true},
        EdgeCase{"CubeRoots", "x^(1/3)+(-x)^(1/3)", 63, 63, 2, -8, 8, -4, 4, false, false, -1,
                 true},
        EdgeCase{"ZeroPowers", "0^x+x^0+(x-x)^x", 63, 63, 2, -2, 2, -4, 4, true, false, -1, true},
        EdgeCase{"IntNearIntegers", "int(x/0,1)*0,1", 95, 95, 3, -2, 2, -2, 2, true, false, -1,
                 true},
        EdgeCase{"FracNearIntegers", "frac(x*3)", 95, 95, 5, -2, 2, -1, 1, true, false, -1, true},
        EdgeCase{"TangentPoles", "tg(x)+ctg(x)", 199, 99, 7, -7, 7, -50, 50, true, false, -1, true},
        EdgeCase{"SecantPoles", "sc(x*pi)*csc(x*pi)", 199, 99, 4, -2, 2, -50, 50, true, false, -1,
                 true},
        EdgeCase{"TinyScale", "x*x/x+x", 63, 63, 3, -1e-300, 1e-300, -3e-300, 3e-300, false, false,
                 -1, true},
        EdgeCase{"HugeScale", "x/2-x^2/10^300", 63, 63, 3, -1e300, 1e300, -1e300, 1e300, true,
                 false, -1, true},
        EdgeCase{"ParametersAtExtremes", "a*x^k+b/x", 63, 63, 2, -4, 4, -1e300, 1e300, true, true,
                 -1, true},
        EdgeCase{"ToolFormulaOnThreads",
                 "arcsin(x/10)*3+abs(x)^0,5-lg(abs(x)+1)+sin(x)*cos(x/2)-ln(abs(x)+2)+tg(x/7)", 399,
                 299, 20, -10, 10, -10, 10, false, false, -1, true},
        EdgeCase{"CancelledMidPass", "sin(x*7)*x", 639, 99, 20, -10, 10, -10, 10, false, false,
                 4096, false},
        EdgeCase{"CancelledAtFailure", "ln(sin(x*50))", 639, 99, 20, -10, 10, -3, 1, true, false,
                 8192, false}),
    [](const ::testing::TestParamInfo<EdgeCase> &row) { return row.param.name; });

} // namespace
} // namespace kurvanto
