// The statement compiler: tells expressions, assignments, definitions and unassignments apart
// and carries each out on the engine's tables.
#pragma once

#include "foundation/string.h"

namespace VKCL {

class CCalculatorState;

// Runs one line and writes its output line; an error of the language becomes the output
// "Illegal syntax:  " and its message.
void executeLine(CCalculatorState& state, const VKF::CString& input, VKF::CString& output);

} // namespace VKCL
