// Each built-in function and power, real and complex, beside the C library's counterpart timed in
// the same run (counters: the library's ns per call, our time as a multiple of it, and the share of
// calls that needed the 113-bit route); then a 401-sample plot of each built-in.
#include <benchmark/benchmark.h>

#include <cmath>
#include <complex>
#include <random>
#include <vector>

#include <time.h>

#include "engine/calculator.h"
#include "engine/confirmation.h"
#include "engine/fallback_count.h"
#include "engine/value.h"
#include "foundation/utf8.h"
#include "graph/portable/plot_sampling.h"
#include "graph/portable/plot_setup_acceptance.h"

namespace {

using VKCL::CValue;
using Complex = std::complex<double>;

// Random arguments per function: real ones uniform in [low, high], complex ones with both parts
// uniform in [-reach, reach]. Enough to defeat the branch predictor, few enough to stay in cache.
constexpr int ARGUMENTS = 1024;

struct CFunctionCase {
    const char* name;
    void (*ours)(CValue&);
    double (*libraryReal)(double);
    Complex (*libraryComplex)(Complex);
    double low, high, reach;
};

constexpr double POWER_EXPONENT = 2.5;
const Complex COMPLEX_EXPONENT(0.4, -0.7);

const CFunctionCase CASES[] = {
    {"sqrt", [](CValue& z) { z.sqrt(); }, [](double x) { return std::sqrt(x); },
     [](Complex z) { return std::sqrt(z); }, 0, 1000, 10},
    {"ln", [](CValue& z) { z.ln(); }, [](double x) { return std::log(x); }, [](Complex z) { return std::log(z); },
     0.001, 1000, 10},
    {"log", [](CValue& z) { z.log(); }, [](double x) { return std::log10(x); },
     [](Complex z) { return std::log10(z); }, 0.001, 1000, 10},
    {"sin", [](CValue& z) { z.sin(); }, [](double x) { return std::sin(x); }, [](Complex z) { return std::sin(z); },
     -10, 10, 5},
    {"cos", [](CValue& z) { z.cos(); }, [](double x) { return std::cos(x); }, [](Complex z) { return std::cos(z); },
     -10, 10, 5},
    {"tan", [](CValue& z) { z.tan(); }, [](double x) { return std::tan(x); }, [](Complex z) { return std::tan(z); },
     -10, 10, 5},
    {"arcsin", [](CValue& z) { z.arcsin(); }, [](double x) { return std::asin(x); },
     [](Complex z) { return std::asin(z); }, -1, 1, 3},
    {"arccos", [](CValue& z) { z.arccos(); }, [](double x) { return std::acos(x); },
     [](Complex z) { return std::acos(z); }, -1, 1, 3},
    {"arctan", [](CValue& z) { z.arctan(); }, [](double x) { return std::atan(x); },
     [](Complex z) { return std::atan(z); }, -20, 20, 3},
    {"sinh", [](CValue& z) { z.sinh(); }, [](double x) { return std::sinh(x); },
     [](Complex z) { return std::sinh(z); }, -20, 20, 5},
    {"cosh", [](CValue& z) { z.cosh(); }, [](double x) { return std::cosh(x); },
     [](Complex z) { return std::cosh(z); }, -20, 20, 5},
    {"tanh", [](CValue& z) { z.tanh(); }, [](double x) { return std::tanh(x); },
     [](Complex z) { return std::tanh(z); }, -5, 5, 5},
    {"arcsinh", [](CValue& z) { z.arcsinh(); }, [](double x) { return std::asinh(x); },
     [](Complex z) { return std::asinh(z); }, -1000, 1000, 3},
    {"arccosh", [](CValue& z) { z.arccosh(); }, [](double x) { return std::acosh(x); },
     [](Complex z) { return std::acosh(z); }, 1, 1000, 3},
    {"arctanh", [](CValue& z) { z.arctanh(); }, [](double x) { return std::atanh(x); },
     [](Complex z) { return std::atanh(z); }, -0.999, 0.999, 3},
    {"exp", [](CValue& z) { z.exp(); }, [](double x) { return std::exp(x); }, [](Complex z) { return std::exp(z); },
     -20, 20, 5},
    {"abs", [](CValue& z) { z.abs(); }, [](double x) { return std::fabs(x); },
     [](Complex z) { return Complex(std::abs(z)); }, -1000, 1000, 10},
    {"arg", [](CValue& z) { z.arg(); }, [](double x) { return x < 0 ? M_PI : 0.0; },
     [](Complex z) { return Complex(std::arg(z)); }, -1000, 1000, 10},
    {"power", [](CValue& z) { z.power(CValue(POWER_EXPONENT, 0)); },
     [](double x) { return std::pow(x, POWER_EXPONENT); }, [](Complex z) { return std::pow(z, COMPLEX_EXPONENT); },
     0, 10, 3},
};
constexpr int CASE_COUNT = int(std::size(CASES));

std::vector<CValue> arguments(const CFunctionCase& f, bool complex)
{
    std::mt19937_64 generator(20261208);
    std::uniform_real_distribution<double> real(f.low, f.high), part(-f.reach, f.reach);
    std::vector<CValue> values;
    for (int k = 0; k < ARGUMENTS; ++k)
        values.push_back(complex ? CValue(part(generator), part(generator)) : CValue(real(generator), 0));
    return values;
}

// This thread's processor time: what other programs on a busy machine take does not count.
double threadNanoseconds()
{
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return double(now.tv_sec) * 1e9 + double(now.tv_nsec);
}

// The C library's time per call over the same arguments, the best of a few passes.
double libraryNanoseconds(const CFunctionCase& f, const std::vector<CValue>& values, bool complex)
{
    constexpr int PASSES = 7, ROUNDS = 20;
    double best = HUGE_VAL;
    for (int pass = 0; pass < PASSES; ++pass) {
        const double start = threadNanoseconds();
        for (int round = 0; round < ROUNDS; ++round) {
            for (const CValue& z : values) {
                if (complex)
                    benchmark::DoNotOptimize(f.libraryComplex(Complex(z.real(), z.imaginary())));
                else
                    benchmark::DoNotOptimize(f.libraryReal(z.real()));
            }
        }
        best = std::fmin(best, (threadNanoseconds() - start) / (ROUNDS * double(values.size())));
    }
    return best;
}

// One call per iteration, ours; the counters put it beside the C library.
void BM_Function(benchmark::State& state)
{
    const CFunctionCase& f = CASES[state.range(0)];
    const bool complex = state.range(1) != 0;
    const std::vector<CValue> values = arguments(f, complex);
    const double library = libraryNanoseconds(f, values, complex);
    const std::uint64_t fallbacksBefore = VKCL::fallbackCount();
    const double start = threadNanoseconds();
    std::size_t next = 0;
    for (auto _ : state) {
        CValue z = values[next];
        f.ours(z);
        benchmark::DoNotOptimize(z);
        next = (next + 1) % values.size();
    }
    const double elapsed = threadNanoseconds() - start, calls = double(state.iterations());
    state.counters["libc_ns"] = library;
    state.counters["ratio"] = elapsed / calls / library;
    state.counters["fallback_%"] = 100.0 * double(VKCL::fallbackCount() - fallbacksBefore) / calls;
    state.SetLabel(std::string(f.name) + (complex ? " complex" : " real"));
}
BENCHMARK(BM_Function)->ArgsProduct({benchmark::CreateDenseRange(0, CASE_COUNT - 1, 1), {0, 1}});

class CAlwaysYes : public VKCL::CConfirmation {
public:
    bool confirm(const VKF::CString&) override { return true; }
};

// The plot dialog's sampling pass of ___g(x) = f(x) over the function's real range (x^2.5 for power).
void BM_PlotBuiltIn(benchmark::State& state)
{
    const CFunctionCase& f = CASES[state.range(0)];
    CAlwaysYes yes;
    VKCL::CCalculator calculator(yes);
    VKF::CString output;
    const std::string body = std::string(f.name) == "power" ? "x^2.5" : std::string(f.name) + "(x)";
    calculator.executeStatement(VKF::fromUtf8("___g(x)=" + body), output);
    const CSampleValues x = variableSamples(f.low, f.high);
    const VKF::CString name(EXPRESSION_FUNCTION_NAME);
    for (auto _ : state)
        benchmark::DoNotOptimize(sampleFunction(calculator, name, x, VKF_T("complex")).validCount);
    state.SetLabel(body);
}
BENCHMARK(BM_PlotBuiltIn)->DenseRange(0, CASE_COUNT - 1)->Unit(benchmark::kMicrosecond);

} // namespace
