// The tokenizer: blanks, names, numbers and punctuation of one line.
#include "engine/tokenizer.h"

#include <charconv>
#include <cmath>
#include <cstdint>
#include <string>

#include "engine/characters.h"
#include "engine/expression.h"
#include "engine/internal_error.h"
#include "engine/language_error.h"
#include "engine/value.h"

namespace VKCL {

namespace {

const VKF::UChar* const SECOND_POINT_MESSAGE = VKF_T("Error parsing value (illegal '.').");
const VKF::UChar* const SECOND_EXPONENT_MESSAGE = VKF_T("Error parsing value (illegal exponent sign).");

[[noreturn]] void failIllegalCharacter(VKF::UChar unit)
{
    failNamed(VKF_T("Character '"), CNameView(&unit, 1), VKF_T("' is illegal."));
}

// The decimal exponent of the first non-zero digit of a number text (digits with at most one
// point, then optionally E, an optional minus and digits); 0 when every digit is zero. Only its
// sign is used: it tells a number too large for a double from one too small.
int64_t leadingDigitExponent(const char* text, std::size_t length)
{
    constexpr int64_t EXPONENT_CLAMP = int64_t(1) << 40;
    std::size_t exponentStart = 0;
    while (exponentStart < length && text[exponentStart] != 'E')
        ++exponentStart;
    std::size_t pointPosition = 0;
    while (pointPosition < exponentStart && text[pointPosition] != '.')
        ++pointPosition;
    int64_t leading = 0;
    bool found = false;
    for (std::size_t k = 0; k < exponentStart && !found; ++k) {
        if (text[k] == '.' || text[k] == '0')
            continue;
        found = true;
        leading = k < pointPosition ? int64_t(pointPosition - k) - 1 : -int64_t(k - pointPosition);
    }
    if (!found)
        return 0;
    int64_t exponent = 0;
    std::size_t i = exponentStart + 1;
    const bool negative = i < length && text[i] == '-';
    if (negative)
        ++i;
    for (; i < length; ++i) {
        if (exponent < EXPONENT_CLAMP)
            exponent = exponent * 10 + (text[i] - '0');
    }
    return leading + (negative ? -exponent : exponent);
}

// The longest valid prefix of the number text as a double, as the C conversion reads it in
// the "C" locale: correctly rounded, infinite beyond the double range, 0 below it.
double convertNumber(const char* text, std::size_t length)
{
    double value = 0;
    const std::from_chars_result result = std::from_chars(text, text + length, value, std::chars_format::general);
    if (result.ec == std::errc::result_out_of_range) {
        const std::size_t used = std::size_t(result.ptr - text);
        return leadingDigitExponent(text, used) >= 0 ? HUGE_VAL : 0.0;
    }
    return value;
}

// Scans the number that starts with the digit at text[start]; returns the position after it.
int32_t scanNumber(const VKF::UChar* text, int32_t length, int32_t start, CExpression& expression)
{
    bool pointSeen = false;
    bool exponentSeen = false;
    int32_t i = start;
    while (i < length) {
        const VKF::UChar unit = text[i];
        if (isDigit(unit)) {
            ++i;
        } else if (unit == VKF_T('.')) {
            if (pointSeen)
                fail(SECOND_POINT_MESSAGE);
            pointSeen = true;
            ++i;
        } else if (unit == VKF_T('E')) {
            if (exponentSeen)
                fail(SECOND_EXPONENT_MESSAGE);
            exponentSeen = true;
            pointSeen = true;
            ++i;
            if (i < length && text[i] == VKF_T('-'))
                ++i;
        } else {
            break;
        }
    }
    // The text holds only ASCII digits, '.', 'E' and '-': narrowed unit by unit.
    const auto count = std::size_t(i - start);
    char shortText[64];
    std::string longText;
    char* narrow = shortText;
    if (count > sizeof shortText) {
        longText.resize(count);
        narrow = longText.data();
    }
    for (std::size_t k = 0; k < count; ++k)
        narrow[k] = char(text[start + int32_t(k)]);
    expression.addValue(CValue(convertNumber(narrow, count), 0));
    return i;
}

} // namespace

uint32_t operatorToken(VKF::UChar character)
{
    switch (character) {
    case VKF_T('+'): return Token::Add;
    case VKF_T('-'): return Token::Subtract;
    case VKF_T('*'): return Token::Multiply;
    case VKF_T('/'): return Token::Divide;
    case VKF_T('^'): return Token::Power;
    case VKF_T('('): return Token::LeftParen;
    case VKF_T(')'): return Token::RightParen;
    case VKF_T('='): return Token::Assign;
    case VKF_T(','): return Token::Comma;
    case VKF_T('?'): return Token::Query;
    default: throwInternalError(InternalError::NoOperatorCharacter);
    }
}

VKF::UChar operatorCharacter(uint32_t code)
{
    switch (code) {
    case Token::Add: return VKF_T('+');
    case Token::Subtract: return VKF_T('-');
    case Token::Multiply: return VKF_T('*');
    case Token::Divide: return VKF_T('/');
    case Token::Power: return VKF_T('^');
    case Token::LeftParen: return VKF_T('(');
    case Token::RightParen: return VKF_T(')');
    case Token::Assign: return VKF_T('=');
    case Token::Comma: return VKF_T(',');
    case Token::Query: return VKF_T('?');
    case Token::End: return VKF_T('$');
    default: throwInternalError(InternalError::NoOperatorCode);
    }
}

void tokenize(const VKF::CString& text, CExpression& expression)
{
    tokenize(text.characters(), text.length(), expression);
}

void tokenize(const VKF::UChar* text, int32_t length, CExpression& expression)
{
    // A line has at most one token per unit, and the end.
    expression.reserveTokens(expression.tokenCount() + std::size_t(length) + 1);
    if (expression.valueCount() == 0 && expression.nameCount() == 0)
        expression.reserveSideLists(8, 8, 32);
    int32_t i = 0;
    while (i < length) {
        const VKF::UChar unit = text[i];
        if (isBlank(unit)) {
            ++i;
        } else if (isNameStart(unit)) {
            const int32_t start = i;
            ++i;
            while (i < length && isNameContinuation(text[i]))
                ++i;
            expression.addName(CNameView(text + start, std::size_t(i - start)));
        } else if (isDigit(unit)) {
            i = scanNumber(text, length, i, expression);
        } else {
            switch (unit) {
            case VKF_T('('): case VKF_T(')'): case VKF_T('*'): case VKF_T('+'): case VKF_T(','):
            case VKF_T('-'): case VKF_T('/'): case VKF_T('='): case VKF_T('?'): case VKF_T('^'):
                expression.addToken(operatorToken(unit));
                ++i;
                break;
            default:
                failIllegalCharacter(unit);
            }
        }
    }
    expression.addToken(Token::End);
}

} // namespace VKCL
