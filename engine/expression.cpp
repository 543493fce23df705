// The compiled expression: its side lists, checked accessors and text form.
#include "engine/expression.h"

#include <string>
#include <utility>

#include "engine/internal_error.h"
#include "engine/language_error.h"
#include "engine/tokenizer.h"

namespace VKCL {

namespace {

const VKF::UChar* const TOO_MANY_ENTRIES_MESSAGE =
    VKF_T("Expression is too long (it may hold at most 65536 numbers and 65536 names).");
const VKF::UChar* const GET_TOKEN_MESSAGE = VKF_T("Bug. getToken() index out of bounds.");
const VKF::UChar* const GET_VALUE_MESSAGE = VKF_T("Bug. getValue() index out of bounds.");
const VKF::UChar* const GET_NAME_MESSAGE = VKF_T("Bug. getName() index out of bounds.");
// getParameter reports with the same text as getCall.
const VKF::UChar* const GET_CALL_MESSAGE = VKF_T("Bug. getCall() index out of bounds.");

// A full side list cannot take another entry without its index wrapping into the next kind.
template <typename List>
void checkRoom(const List& list)
{
    if (list.size() >= MAX_SIDE_LIST_ENTRIES)
        fail(TOO_MANY_ENTRIES_MESSAGE);
}

using CText = std::basic_string<VKF::UChar>;

void appendText(CText& text, const VKF::CString& piece)
{
    text.append(piece.characters(), std::size_t(piece.length()));
}

} // namespace

void CExpression::addValue(const CValue& value)
{
    checkRoom(m_values);
    m_tokens.push_back(Token::Value + uint32_t(m_values.size()));
    m_values.push_back(value);
}

void CExpression::addName(const VKF::CString& name)
{
    addName(viewOf(name));
}

void CExpression::addName(CNameView name)
{
    checkRoom(m_nameEnds);
    m_tokens.push_back(Token::Name + uint32_t(m_nameEnds.size()));
    m_nameUnits.insert(m_nameUnits.end(), name.begin(), name.end());
    m_nameEnds.push_back(uint32_t(m_nameUnits.size()));
}

void CExpression::addCall(const CFunctionCall& call)
{
    checkRoom(m_calls);
    m_tokens.push_back(Token::Call + uint32_t(m_calls.size()));
    m_calls.push_back(call);
}

void CExpression::addParameter(const CValue& value)
{
    checkRoom(m_parameterValues);
    m_parameterValues.push_back(value);
}

void CExpression::reserveSideLists(std::size_t values, std::size_t names, std::size_t nameUnits)
{
    m_values.reserve(values);
    m_nameEnds.reserve(names);
    m_nameUnits.reserve(nameUnits);
}

uint32_t CExpression::getToken(uint32_t index) const
{
    if (index >= m_tokens.size())
        fail(GET_TOKEN_MESSAGE);
    return m_tokens[index];
}

const CValue& CExpression::getValue(uint32_t index) const
{
    if (index >= m_values.size())
        fail(GET_VALUE_MESSAGE);
    return m_values[index];
}

VKF::CString CExpression::getName(uint32_t index) const
{
    const CNameView name = nameView(index);
    return VKF::CString(name.data(), int32_t(name.size()));
}

CNameView CExpression::nameView(uint32_t index) const
{
    if (index >= m_nameEnds.size())
        fail(GET_NAME_MESSAGE);
    const uint32_t start = index == 0 ? 0 : m_nameEnds[index - 1];
    return CNameView(m_nameUnits.data() + start, m_nameEnds[index] - start);
}

const CFunctionCall& CExpression::getCall(uint32_t index) const
{
    if (index >= m_calls.size())
        fail(GET_CALL_MESSAGE);
    return m_calls[index];
}

const CValue& CExpression::getParameter(uint32_t index) const
{
    if (index >= m_parameterValues.size())
        failParameterIndex();
    return m_parameterValues[index];
}

void failParameterIndex()
{
    fail(GET_CALL_MESSAGE);
}

const std::vector<uint32_t>& CExpression::closingParentheses() const
{
    if (m_closingParentheses.size() == m_tokens.size())
        return m_closingParentheses;
    const auto count = uint32_t(m_tokens.size());
    constexpr uint32_t NONE = 0xFFFFFFFF;
    std::vector<uint32_t> closing(count, count);
    // The parentheses still open form a stack linked through their own entries.
    uint32_t open = NONE;
    const auto closeAll = [&](uint32_t at) {
        while (open != NONE) {
            const uint32_t below = closing[open];
            closing[open] = at;
            open = below;
        }
    };
    for (uint32_t i = 0; i < count; ++i) {
        const uint32_t code = m_tokens[i];
        if (code == Token::LeftParen) {
            closing[i] = open;
            open = i;
        } else if (code == Token::RightParen && open != NONE) {
            const uint32_t below = closing[open];
            closing[open] = i;
            open = below;
        } else if (code == Token::End) {
            closeAll(i);
        }
    }
    closeAll(count);
    m_closingParentheses = std::move(closing);
    return m_closingParentheses;
}

void CExpression::clear() noexcept
{
    m_nameUnits.clear();
    m_nameEnds.clear();
    m_calls.clear();
    m_parameterValues.clear();
    m_values.clear();
    m_tokens.clear();
    m_parameterCount = 0;
    m_closingParentheses.clear();
}

// Built apart and turned into one string at the end: a body can hold a million tokens.
VKF::CString CExpression::toString() const
{
    CText text;
    uint32_t shownParameter = 0;
    CText shownParameterText;
    for (uint32_t i = 0;; ++i) {
        const uint32_t code = getToken(i);
        if (code == Token::End)
            break;
        if (isValueToken(code)) {
            appendText(text, getValue(tokenIndex(code)).toString());
        } else if (isNameToken(code)) {
            const CNameView name = nameView(tokenIndex(code));
            text.append(name.data(), name.size());
        } else if (isParameterToken(code)) {
            const uint32_t number = tokenIndex(code) + 1;
            if (number != shownParameter) {
                const VKF::CString numberText = CValue(double(number), 0).toString();
                shownParameterText.assign(numberText.characters(), std::size_t(numberText.length()));
                shownParameter = number;
            }
            text += VKF_T('{');
            text += shownParameterText;
            text += VKF_T('}');
        } else if ((code >= Token::Add && code <= Token::Power) || (code >= Token::LeftParen && code <= Token::Query)) {
            // A '?' reaches here from a stored body such as f(x)=x?; it prints as typed.
            text += operatorCharacter(code);
        } else {
            throwInternalError(InternalError::UnprintableToken);
        }
    }
    return VKF::CString(text.data(), int32_t(text.size()));
}

} // namespace VKCL
