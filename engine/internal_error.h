// The errors that only a programming error can cause, each with the number its message shows.
#pragma once

namespace VKCL {

enum class EInternalError : int {
    CALL_TOKEN_EVALUATED = 1000,  // the evaluator met a call token, which only dialogs build
    UNKNOWN_OPERATOR = 1001,      // applyOperator was given no arithmetic operator
    NO_OPERATOR_CODE = 1005,      // operatorCharacter was given a code without a character
    NO_OPERATOR_CHARACTER = 1006, // operatorToken was given a character that is no operator
    UNPRINTABLE_TOKEN = 1007,     // an expression's text form met a code it cannot print
};

// Throws CSyntaxException: "Internal error <number>. Please visit <web site> and report the error."
[[noreturn]] void throwInternalError(EInternalError error);

} // namespace VKCL
