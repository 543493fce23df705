// Roots of quadratic and cubic equations, worked out entirely by the engine under auxiliary names.
#pragma once

#include <array>
#include <optional>

#include "engine/value.h"
#include "foundation/string.h"

namespace VKCL {

class CCalculator;

// The auxiliary user names the solvers define; ordinary names that stay defined afterwards.
inline const VKF::UChar* const ROOT_FUNCTION_NAME = VKF_T("___quad_");
inline const VKF::UChar* const COEFFICIENT_FUNCTION_NAME = VKF_T("___dummy_");

// The value of a coefficient field's text: defines it as ___dummy_() and calls that. Empty when
// the text is empty or cannot be evaluated; the engine's message is dropped.
std::optional<CValue> evaluateCoefficient(CCalculator& calculator, const VKF::CString& text);

// The roots of a*x^2 + b*x + c = 0: first the one with +sqrt of the discriminant, then the one with
// -sqrt. Throws VKF::CException (a = 0 gives "Division by zero."; a root beyond the number range,
// above or below, the overflow message).
std::array<CValue, 2> solveQuadratic(CCalculator& calculator, const CValue& a, const CValue& b, const CValue& c);

// The three roots of a*x^3 + b*x^2 + c*x + d = 0, the one of largest modulus first. Throws
// VKF::CException, as solveQuadratic does.
std::array<CValue, 3> solveCubic(CCalculator& calculator, const CValue& a, const CValue& b, const CValue& c,
                                 const CValue& d);

} // namespace VKCL
