// Speed of typical console lines, of the plot workload and of each built-in function, beside muparserx.
#include <benchmark/benchmark.h>

#include <mpParser.h>

#include "engine/calculator.h"
#include "engine/confirmation.h"
#include "engine/function_call.h"
#include "engine/functions.h"
#include "foundation/utf8.h"

namespace {

class CAlwaysYes : public VKCL::CConfirmation {
public:
    bool confirm(const VKF::CString&) override { return true; }
};

struct Formula {
    const VKF::UChar* line;     // as typed at the console
    const char* muparserx;      // the same formula without implicit multiplication
};

// x is bound to 0.7 in both engines. muparserx has no user functions: for the call of the
// three-parameter f it evaluates f's body with the arguments written in.
const Formula kFormulas[] = {
    {VKF_T("1+2"), "1+2"},
    {VKF_T("2(1+x)^2"), "2*(1+x)^2"},
    {VKF_T("sin(x)^2+cos(3x)/(1+x^2)"), "sin(x)^2+cos(3*x)/(1+x^2)"},
    {VKF_T("f(1,2,3)"), "1^2+2*2-3/x"},
};

constexpr int kPlotSamples = 401;

struct Session {
    CAlwaysYes yes;
    VKCL::CCalculator calculator{yes};
    VKF::CString output;

    Session() {
        calculator.executeStatement(VKF_T("x=0.7"), output);
        calculator.executeStatement(VKF_T("f(a,b,c)=a^2+2b-c/x"), output);
        calculator.executeStatement(VKF_T("g(t)=sin(t)^2+cos(3t)/(1+t^2)"), output);
    }
};

void BM_ExecuteLine(benchmark::State& state) {
    Session session;
    const VKF::CString line = kFormulas[state.range(0)].line;
    for (auto _ : state) {
        session.calculator.executeStatement(line, session.output);
        benchmark::DoNotOptimize(session.output.characters());
    }
    state.SetLabel(VKF::toUtf8(line));
}
BENCHMARK(BM_ExecuteLine)->DenseRange(0, 3);

// The plot dialog's workload: the stored g called at 401 equally spaced values.
void BM_PlotSamples(benchmark::State& state) {
    Session session;
    VKCL::CFunctionCall call(VKF_T("g"));
    for (auto _ : state) {
        for (int k = 0; k < kPlotSamples; ++k) {
            call.clearArguments();
            call.addArgument(VKCL::CValue(-10.0 + 20.0 * k / (kPlotSamples - 1), 0));
            benchmark::DoNotOptimize(session.calculator.callFunction(call));
        }
    }
}
BENCHMARK(BM_PlotSamples)->Unit(benchmark::kMicrosecond);

// One call of each built-in function (in reserved-list order from sqrt) and of power, on a real
// and on a complex argument.
const VKF::UChar* const kFunctionNames[] = {
    VKF_T("sqrt"), VKF_T("ln"), VKF_T("sin"), VKF_T("cos"), VKF_T("tan"), VKF_T("log"),
    VKF_T("arcsin"), VKF_T("arccos"), VKF_T("arctan"), VKF_T("sinh"), VKF_T("cosh"), VKF_T("tanh"),
    VKF_T("arcsinh"), VKF_T("arccosh"), VKF_T("arctanh"), VKF_T("exp"), VKF_T("abs"), VKF_T("arg"),
};
const VKCL::CValue kFunctionArguments[] = {VKCL::CValue(0.7, 0), VKCL::CValue(0.7, -1.3)};

void BM_BuiltInFunction(benchmark::State& state) {
    const auto function = int32_t(state.range(0));
    const VKCL::CValue argument = kFunctionArguments[state.range(1)];
    for (auto _ : state)
        benchmark::DoNotOptimize(VKCL::applyBuiltInFunction(VKCL::FIRST_RESERVED_FUNCTION + function, argument));
    state.SetLabel(VKF::toUtf8(VKF::CString(kFunctionNames[function]))
                   + (state.range(1) == 0 ? "(0.7)" : "(0.7-1.3i)"));
}
BENCHMARK(BM_BuiltInFunction)->ArgsProduct({benchmark::CreateDenseRange(0, 17, 1), {0, 1}});

// Real powers with a whole and a fractional exponent, then complex ones.
void BM_Power(benchmark::State& state) {
    static const VKCL::CValue cases[][2] = {
        {VKCL::CValue(0.7, 0), VKCL::CValue(2, 0)},    {VKCL::CValue(0.7, 0), VKCL::CValue(2.5, 0)},
        {VKCL::CValue(-0.7, 0), VKCL::CValue(0.5, 0)}, {VKCL::CValue(0.7, -1.3), VKCL::CValue(3, 0)},
        {VKCL::CValue(0.7, -1.3), VKCL::CValue(0.4, 2)},
    };
    const auto& c = cases[state.range(0)];
    for (auto _ : state) {
        VKCL::CValue value = c[0];
        value.power(c[1]);
        benchmark::DoNotOptimize(value);
    }
    state.SetLabel(VKF::toUtf8(c[0].toString()) + " ^ " + VKF::toUtf8(c[1].toString()));
}
BENCHMARK(BM_Power)->DenseRange(0, 4);

struct MuparserxSession {
    mup::ParserX parser{mup::pckALL_COMPLEX};
    mup::Value x{0.7};

    MuparserxSession() { parser.DefineVar("x", mup::Variable(&x)); }
};

void BM_MuparserxParseAndEval(benchmark::State& state) {
    MuparserxSession session;
    const char* text = kFormulas[state.range(0)].muparserx;
    for (auto _ : state) {
        session.parser.SetExpr(text);
        benchmark::DoNotOptimize(session.parser.Eval());
    }
    state.SetLabel(text);
}
BENCHMARK(BM_MuparserxParseAndEval)->DenseRange(0, 3);

void BM_MuparserxEvalOnly(benchmark::State& state) {
    MuparserxSession session;
    const char* text = kFormulas[state.range(0)].muparserx;
    session.parser.SetExpr(text);
    for (auto _ : state)
        benchmark::DoNotOptimize(session.parser.Eval());
    state.SetLabel(text);
}
BENCHMARK(BM_MuparserxEvalOnly)->DenseRange(0, 3);

void BM_MuparserxPlotSamples(benchmark::State& state, bool reparse) {
    MuparserxSession session;
    const char* text = kFormulas[2].muparserx;
    session.parser.SetExpr(text);
    for (auto _ : state) {
        for (int k = 0; k < kPlotSamples; ++k) {
            session.x = -10.0 + 20.0 * k / (kPlotSamples - 1);
            if (reparse)
                session.parser.SetExpr(text);
            benchmark::DoNotOptimize(session.parser.Eval());
        }
    }
}
BENCHMARK_CAPTURE(BM_MuparserxPlotSamples, reparse, true)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_MuparserxPlotSamples, eval_only, false)->Unit(benchmark::kMicrosecond);

} // namespace
