// The engine's one value type: a complex number as two doubles, with its arithmetic,
// the built-in functions and the result notation.
#pragma once

#include "foundation/string.h"

namespace VKCL {

namespace complexroute {
struct CParts;
}

class CValue : public VKF::CStringCastable {
public:
    CValue() noexcept = default;
    // Rejects an infinite or undefined part (see setValue).
    CValue(double real, double imaginary);
    CValue(const CValue&) noexcept = default;
    CValue& operator=(const CValue&) noexcept = default;

    double real() const noexcept { return m_real; }
    double imaginary() const noexcept { return m_imaginary; }
    bool isReal() const noexcept { return m_imaginary == 0; }

    // The one checked store of both parts: throws CSyntaxException when a part is
    // infinite ("Numeric overflow occured while calculating.") or not a number.
    void setValue(double real, double imaginary);

    // In-place operations: the value becomes (value op other).
    void add(const CValue& other);
    void subtract(const CValue& other);
    void multiply(const CValue& other);
    void divide(const CValue& other);
    void power(const CValue& exponent);

    // The built-in functions, each replacing the value with its result.
    void sqrt();
    void ln();
    void log();
    void sin();
    void cos();
    void tan();
    void arcsin();
    void arccos();
    void arctan();
    void sinh();
    void cosh();
    void tanh();
    void arcsinh();
    void arccosh();
    void arctanh();
    void exp();
    void abs();
    void arg();

    // Result notation with 13 significant digits: "3 + i*2", "-i", "1e+020".
    VKF::CString toString() const override;
    // The real part alone with 5 significant digits, as the graph writes its ticks and coordinates.
    VKF::CString toShortString() const;

private:
    void setParts(const complexroute::CParts& parts);

    double m_real = 0;
    double m_imaginary = 0;
};

} // namespace VKCL
