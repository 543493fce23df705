// Every printed digit of the built-in functions and of power, on random arguments of every size,
// against GNU MPC at 200 bits.
#include "engine/value.h"

#include <cfloat>
#include <cmath>
#include <cstdio>
#include <functional>
#include <random>
#include <string>
#include <vector>

#include <mpc.h>

#include <gtest/gtest.h>

#include "foundation/exception.h"
#include "foundation/utf8.h"

using VKCL::CValue;

namespace {

constexpr int SAMPLES = 2000;
constexpr int PRINTED_FAILURES = 8;
constexpr mpfr_prec_t PRECISION = 200;

// A 200-bit complex number.
struct CExact {
    mpc_t z;
    CExact() { mpc_init2(z, PRECISION); }
    ~CExact() { mpc_clear(z); }
    CExact(const CExact&) = delete;
    CExact& operator=(const CExact&) = delete;
};

using Oracle = std::function<void(mpc_ptr, mpc_srcptr)>;

Oracle complexOracle(int (*function)(mpc_ptr, mpc_srcptr, mpc_rnd_t))
{
    return [function](mpc_ptr result, mpc_srcptr z) { function(result, z, MPC_RNDNN); };
}

Oracle realOracle(int (*function)(mpfr_ptr, mpc_srcptr, mpfr_rnd_t))
{
    return [function](mpc_ptr result, mpc_srcptr z) {
        function(mpc_realref(result), z, MPFR_RNDN);
        mpfr_set_zero(mpc_imagref(result), 1);
    };
}

// Where a function's argument may lie: the largest real and imaginary magnitudes that keep the
// result finite (and the oracle quick: far out, tan and tanh are +-i and +-1 to every digit), and
// the largest real argument on the real axis.
struct CFunction {
    const char* name;
    void (CValue::*operation)();
    Oracle oracle;
    double maxReal = 1e300, maxImaginary = 1e300, maxOnRealAxis = 1e300;
};

// The side of a branch cut the calculator takes for an argument on it, as the sign of the zero
// part the oracle is given: arctan and arcsinh of iy (|y| > 1) continue the half plane on the
// side of y's sign, arctanh of a real x (|x| > 1) the half plane opposite to x's sign.
void setOracleArgument(const std::string& name, double x, double y, mpc_ptr z)
{
    if (x == 0 && std::fabs(y) > 1 && (name == "arctan" || name == "arcsinh"))
        x = std::copysign(0.0, y);
    if (y == 0 && std::fabs(x) > 1 && name == "arctanh")
        y = std::copysign(0.0, -x);
    mpc_set_d_d(z, x, y, MPC_RNDNN);
}

class CRandomArguments {
public:
    // A random magnitude between 1e-300 and limit, with a random sign.
    double number(double limit)
    {
        std::uniform_real_distribution<double> exponent(-300, std::log10(limit));
        const double magnitude = std::pow(10.0, exponent(m_generator));
        return coin() ? magnitude : -magnitude;
    }

    bool coin() { return std::uniform_int_distribution<int>(0, 1)(m_generator) == 1; }
    int below(int n) { return std::uniform_int_distribution<int>(0, n - 1)(m_generator); }

    // On the real axis, on the imaginary axis, or anywhere, in turn.
    CValue argument(int sample, double maxReal, double maxImaginary, double maxOnRealAxis)
    {
        switch (sample % 3) {
        case 0: return CValue(number(maxOnRealAxis), 0);
        case 1: return CValue(0, number(maxImaginary));
        default: return CValue(number(maxReal), number(maxImaginary));
        }
    }

private:
    std::mt19937_64 m_generator{20240614};
};

std::string numberText(double x)
{
    char text[40];
    std::snprintf(text, sizeof text, "%.17G", x);
    return text;
}

// The argument as it would be typed.
std::string inputText(const CValue& z)
{
    if (z.isReal())
        return numberText(z.real());
    if (z.real() == 0)
        return numberText(z.imaginary()) + "i";
    return numberText(z.real()) + (z.imaginary() < 0 ? "" : "+") + numberText(z.imaginary()) + "i";
}

// The exact result's parts, each rounded to a double after scaling by (1 + relative).
CValue rounded(const CExact& exact, double relative)
{
    mpfr_t scaled;
    mpfr_init2(scaled, PRECISION);
    double parts[2];
    for (int k = 0; k < 2; ++k) {
        mpfr_mul_d(scaled, k == 0 ? mpc_realref(exact.z) : mpc_imagref(exact.z), 1 + relative, MPFR_RNDN);
        parts[k] = mpfr_get_d(scaled, MPFR_RNDN);
    }
    mpfr_clear(scaled);
    return CValue(parts[0], parts[1]);
}

bool overflows(const CExact& exact)
{
    return std::isinf(mpfr_get_d(mpc_realref(exact.z), MPFR_RNDN))
        || std::isinf(mpfr_get_d(mpc_imagref(exact.z), MPFR_RNDN));
}

// The correct text; where a part lies within 1e-16 of a rounding boundary, either neighbour.
std::vector<std::string> acceptedTexts(const CExact& exact)
{
    std::vector<std::string> texts;
    for (const double relative : {0.0, -1e-16, 1e-16}) {
        const CValue near = rounded(exact, relative);
        for (const CValue& mixed : {near, CValue(rounded(exact, 0).real(), near.imaginary()),
                                    CValue(near.real(), rounded(exact, 0).imaginary())})
            texts.push_back(VKF::toUtf8(mixed.toString()));
    }
    return texts;
}

// Runs one evaluation and compares it with the oracle; returns the failure report or "".
std::string check(const std::string& line, const std::function<void(CValue&)>& evaluate, const CValue& argument,
                  const CExact& exact)
{
    std::string got;
    CValue value = argument;
    try {
        evaluate(value);
        got = VKF::toUtf8(value.toString());
    } catch (const VKF::CException& error) {
        got = "\"" + VKF::toUtf8(error.toString()) + "\"";
    }
    if (overflows(exact))
        return got == "\"Numeric overflow occured while calculating.\""
                   ? ""
                   : line + " gave " + got + ", expected overflow";
    const std::vector<std::string> texts = acceptedTexts(exact);
    for (const std::string& text : texts) {
        if (got == text)
            return "";
    }
    return line + " gave " + got + ", expected " + texts[0];
}

class CFailureCount {
public:
    explicit CFailureCount(std::string subject) : m_subject(std::move(subject)) {}
    ~CFailureCount()
    {
        if (m_count > 0)
            ADD_FAILURE() << m_subject << ": " << m_count << " of " << SAMPLES << " wrong";
    }
    CFailureCount(const CFailureCount&) = delete;
    CFailureCount& operator=(const CFailureCount&) = delete;

    void add(const std::string& report)
    {
        if (report.empty())
            return;
        if (m_count++ < PRINTED_FAILURES)
            ADD_FAILURE() << report;
    }

private:
    std::string m_subject;
    int m_count = 0;
};

} // namespace

TEST(AccuracyTest, FunctionsPrintEveryDigitCorrectly)
{
    const CFunction functions[] = {
        {"sqrt", &CValue::sqrt, complexOracle(mpc_sqrt)},
        {"ln", &CValue::ln, complexOracle(mpc_log)},
        {"log", &CValue::log, complexOracle(mpc_log10)},
        {"sin", &CValue::sin, complexOracle(mpc_sin), 1e300, 700},
        {"cos", &CValue::cos, complexOracle(mpc_cos), 1e300, 700},
        {"tan", &CValue::tan, complexOracle(mpc_tan), 1e300, 1000},
        {"arcsin", &CValue::arcsin, complexOracle(mpc_asin), 1e300, 1e300, 1},
        {"arccos", &CValue::arccos, complexOracle(mpc_acos), 1e300, 1e300, 1},
        {"arctan", &CValue::arctan, complexOracle(mpc_atan)},
        {"sinh", &CValue::sinh, complexOracle(mpc_sinh), 700, 1e300, 700},
        {"cosh", &CValue::cosh, complexOracle(mpc_cosh), 700, 1e300, 700},
        {"tanh", &CValue::tanh, complexOracle(mpc_tanh), 1000, 1e300, 1000},
        {"arcsinh", &CValue::arcsinh, complexOracle(mpc_asinh)},
        {"arccosh", &CValue::arccosh, complexOracle(mpc_acosh)},
        {"arctanh", &CValue::arctanh, complexOracle(mpc_atanh)},
        {"exp", &CValue::exp, complexOracle(mpc_exp), 700, 1e300, 700},
        {"abs", &CValue::abs, realOracle(mpc_abs)},
        {"arg", &CValue::arg, realOracle(mpc_arg)},
    };
    CRandomArguments random;
    CExact argument, exact;
    for (const CFunction& f : functions) {
        CFailureCount failures(f.name);
        for (int sample = 0; sample < SAMPLES; ++sample) {
            const CValue z = random.argument(sample, f.maxReal, f.maxImaginary, f.maxOnRealAxis);
            setOracleArgument(f.name, z.real(), z.imaginary(), argument.z);
            f.oracle(exact.z, argument.z);
            failures.add(check(std::string(f.name) + "(" + inputText(z) + ")", [&](CValue& v) { (v.*f.operation)(); },
                               z, exact));
        }
    }
}

TEST(AccuracyTest, PowersPrintEveryDigitCorrectly)
{
    CRandomArguments random;
    CExact base, exponent, exact;
    CFailureCount failures("power");
    for (int sample = 0; sample < SAMPLES; ++sample) {
        const CValue z = random.argument(sample, 1e300, 1e300, 1e300);
        // Exponents that keep |w ln z| below the overflow limit; a quarter of them whole numbers.
        const double logModulus = std::log(std::hypot(z.real(), z.imaginary()));
        const double limit = 700 / (std::fabs(logModulus) + 4);
        CValue w;
        if (random.below(4) == 0)
            w = CValue(double(random.below(2 * int(std::fmin(limit, 40)) + 1) - int(std::fmin(limit, 40))), 0);
        else
            w = random.argument(random.below(3), limit, limit, limit);
        mpc_set_d_d(base.z, z.real(), z.imaginary(), MPC_RNDNN);
        mpc_set_d_d(exponent.z, w.real(), w.imaginary(), MPC_RNDNN);
        mpc_pow(exact.z, base.z, exponent.z, MPC_RNDNN);
        failures.add(check("(" + inputText(z) + ")^(" + inputText(w) + ")", [&](CValue& v) { v.power(w); }, z, exact));
    }
}

TEST(AccuracyTest, LargeWholePowersPrintEveryDigitCorrectly)
{
    // Bases near the unit circle, on and off the axes, and whole exponents up to 2^63: binary
    // powering must keep every digit where exp(w ln z) loses them in the angle.
    std::mt19937_64 generator(20261208);
    std::uniform_real_distribution<double> angle(-4, 4), wobble(-1e-12, 1e-12);
    CExact base, exponent, exact;
    CFailureCount failures("whole power");
    for (int sample = 0; sample < SAMPLES / 4; ++sample) {
        const double t = angle(generator), r = 1 + wobble(generator) * (sample % 2);
        const CValue z = sample % 5 == 0 ? CValue(0, r * (t < 0 ? -1 : 1)) : CValue(r * std::cos(t), r * std::sin(t));
        const double bits = std::uniform_real_distribution<double>(1, 63)(generator);
        const CValue w(std::floor(std::ldexp(1.0, int(bits)) * (t < 0 ? -1 : 1) * (1 + bits - int(bits))), 0);
        mpc_set_d_d(base.z, z.real(), z.imaginary(), MPC_RNDNN);
        mpc_set_d_d(exponent.z, w.real(), w.imaginary(), MPC_RNDNN);
        mpc_pow(exact.z, base.z, exponent.z, MPC_RNDNN);
        failures.add(check("(" + inputText(z) + ")^(" + inputText(w) + ")", [&](CValue& v) { v.power(w); }, z, exact));
    }
}
