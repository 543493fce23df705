// Turns one line of text into token codes; translates between operators and their characters.
#pragma once

#include <cstdint>

#include "foundation/string.h"

namespace VKCL {

class CExpression;

// Appends the tokens of text to expression and finishes with Token::End. Throws
// CSyntaxException for an illegal character or a malformed number; tokens appended before
// the error stay in the expression.
void tokenize(const VKF::CString& text, CExpression& expression);
void tokenize(const VKF::UChar* text, int32_t length, CExpression& expression);

// The code of one of the ten punctuation characters + - * / ^ ( ) = , ?
uint32_t operatorToken(VKF::UChar character);
// The character of a punctuation code, or '$' for Token::End.
VKF::UChar operatorCharacter(uint32_t code);

} // namespace VKCL
