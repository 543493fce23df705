// Built-in names: the reserved-name list, the built-in functions and the arity messages.
#pragma once

#include <cstdint>
#include <vector>

#include "engine/expression.h"
#include "engine/value.h"
#include "foundation/string.h"

namespace VKCL {

// Positions in the reserved-name list: constants first, then the functions, then E.
constexpr int32_t RESERVED_PI = 0;
constexpr int32_t RESERVED_E_CONSTANT = 1;
constexpr int32_t RESERVED_I = 2;
constexpr int32_t RESERVED_GREEK_PI = 3;
constexpr int32_t RESERVED_ANS = 4;
constexpr int32_t FIRST_RESERVED_FUNCTION = 5;
constexpr int32_t RESERVED_IM = 23;
constexpr int32_t RESERVED_RE = 24;
constexpr int32_t RESERVED_E_LETTER = 25;
constexpr int32_t RESERVED_NAME_COUNT = 26;

// Appends the 26 reserved names in their fixed order.
void appendReservedNames(std::vector<VKF::CString>& names);

// "Function 'name' takes 1 parameter." or "... takes 2 parameters.", for built-in and user functions.
VKF::CString arityMessage(CNameView name, uint32_t parameterCount);

// The built-in function at a reserved position from FIRST_RESERVED_FUNCTION to RESERVED_RE.
// Im and Re give the imaginary and the real part as a real number.
CValue applyBuiltInFunction(int32_t position, const CValue& argument);

} // namespace VKCL
