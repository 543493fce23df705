// The dialogs' way into the engine: a field's text becomes the body of an auxiliary user function.
#pragma once

#include "engine/value.h"
#include "foundation/string.h"

namespace VKCL {
class CCalculator;
}

// The name under which the plot and zoom dialogs evaluate a number field.
inline const VKF::UChar* const FIELD_FUNCTION_NAME = VKF_T("___dummy");

// Runs one line through the engine; its output line is of no interest. Throws only when out of
// memory.
void runStatement(VKCL::CCalculator& calculator, const VKF::CString& statement);

// Runs statement, ignoring even a failure to run it.
void runStatementQuietly(VKCL::CCalculator& calculator, const VKF::CString& statement);

// Defines name() with text as its body and calls it. A text the engine cannot take leaves name
// undefined or malformed, and the call throws VKF::CException with the engine's message.
VKCL::CValue evaluateAsFunction(VKCL::CCalculator& calculator, const VKF::CString& name, const VKF::CString& text);
