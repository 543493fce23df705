// The errors that only a programming error can cause, each with the number its message shows.
#pragma once

namespace VKCL {

enum class InternalError : int {
    CallTokenEvaluated = 1000,  // the evaluator met a call token, which no statement compiles
    UnknownOperator = 1001,     // applyOperator was given no arithmetic operator
    NoOperatorCode = 1005,      // operatorCharacter was given a code without a character
    NoOperatorCharacter = 1006, // operatorToken was given a character that is no operator
    UnprintableToken = 1007,    // an expression's text form met a code it cannot print
};

// Throws CSyntaxException: "Internal error <number>. Please visit <web site> and report the error."
[[noreturn]] void throwInternalError(InternalError error);

} // namespace VKCL
