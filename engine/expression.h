// The compiled form of a formula: 32-bit token codes with side lists for their payload.
#pragma once

#include <cstdint>
#include <vector>

#include "engine/function_call.h"
#include "engine/name_view.h"
#include "engine/value.h"
#include "foundation/string.h"

namespace VKCL {

// The token codes, in a namespace of their own so that no platform macro can rewrite them
// (winnt.h defines TOKEN_QUERY). Four kinds carry an index into a side list in their low 16 bits.
namespace Token {
constexpr uint32_t Value = 0x00000000;
constexpr uint32_t Name = 0x00010000;
constexpr uint32_t Call = 0x00020000;
constexpr uint32_t Parameter = 0x00030000;
constexpr uint32_t IndexMask = 0x0000FFFF;

constexpr uint32_t Add = 0x00100001;
constexpr uint32_t Subtract = 0x00100002;
constexpr uint32_t Multiply = 0x00100003;
constexpr uint32_t Divide = 0x00100004;
constexpr uint32_t Power = 0x00100005;
constexpr uint32_t LeftParen = 0x00100011;
constexpr uint32_t RightParen = 0x00100012;
constexpr uint32_t Assign = 0x00100013;
constexpr uint32_t Comma = 0x00100014;
constexpr uint32_t Query = 0x00100015;
constexpr uint32_t End = 0xF0000001;
} // namespace Token

// At most this many entries fit one side list, since an index has 16 bits.
constexpr uint32_t MAX_SIDE_LIST_ENTRIES = 0x10000;

constexpr bool isValueToken(uint32_t code) noexcept { return code - Token::Value <= Token::IndexMask; }
constexpr bool isNameToken(uint32_t code) noexcept { return code - Token::Name <= Token::IndexMask; }
constexpr bool isCallToken(uint32_t code) noexcept { return code - Token::Call <= Token::IndexMask; }
constexpr bool isParameterToken(uint32_t code) noexcept { return code - Token::Parameter <= Token::IndexMask; }
constexpr uint32_t tokenIndex(uint32_t code) noexcept { return code & Token::IndexMask; }

class CExpression : public VKF::CStringCastable {
public:
    CExpression() = default;
    CExpression(const CExpression&) = default;
    CExpression(CExpression&&) noexcept = default;
    CExpression& operator=(const CExpression&) = default;
    CExpression& operator=(CExpression&&) noexcept = default;

    void addToken(uint32_t code) { m_tokens.push_back(code); }
    // Appends Token::Value + k and the value as entry k; fails when the list is full.
    void addValue(const CValue& value);
    // Appends Token::Name + k and the name as entry k; fails when the list is full.
    void addName(const VKF::CString& name);
    void addName(CNameView name);
    // Appends Token::Call + k and a copy of the call as entry k.
    void addCall(const CFunctionCall& call);
    // Appends a value to the parameter-value list (bound to Token::Parameter + k).
    void addParameter(const CValue& value);

    uint32_t getToken(uint32_t index) const;
    const CValue& getValue(uint32_t index) const;
    VKF::CString getName(uint32_t index) const;
    CNameView nameView(uint32_t index) const;
    const CFunctionCall& getCall(uint32_t index) const;
    const CValue& getParameter(uint32_t index) const;

    uint32_t parameterCount() const noexcept { return m_parameterCount; }
    void setParameterCount(uint32_t count) noexcept { m_parameterCount = count; }

    uint32_t tokenCount() const noexcept { return uint32_t(m_tokens.size()); }
    uint32_t valueCount() const noexcept { return uint32_t(m_values.size()); }
    uint32_t nameCount() const noexcept { return uint32_t(m_nameEnds.size()); }
    uint32_t callCount() const noexcept { return uint32_t(m_calls.size()); }
    const std::vector<CValue>& parameterValues() const noexcept { return m_parameterValues; }
    // The token list for readers that walk it themselves.
    const uint32_t* tokens() const noexcept { return m_tokens.data(); }

    void reserveTokens(std::size_t count) { m_tokens.reserve(count); }
    // Room for a typical line's literals and names, so that filling them allocates once.
    void reserveSideLists(std::size_t values, std::size_t names, std::size_t nameUnits);
    void clear() noexcept;

    // For the Token::LeftParen at each index, the index of its matching Token::RightParen, or of
    // the first Token::End after it (the token count if none) when it is not closed; other
    // entries are unused. Built on first use; lets argument lists be skipped in linear time.
    const std::vector<uint32_t>& closingParentheses() const;

    // The formula as text: names, values in result notation, parameters as {1}, {2}, ...
    VKF::CString toString() const override;

private:
    std::vector<uint32_t> m_tokens;
    std::vector<CValue> m_values;
    // All names' units back to back; name k ends at m_nameEnds[k] and starts where k-1 ends.
    std::vector<VKF::UChar> m_nameUnits;
    std::vector<uint32_t> m_nameEnds;
    std::vector<CFunctionCall> m_calls;
    std::vector<CValue> m_parameterValues;
    uint32_t m_parameterCount = 0;
    // Valid while it has as many entries as m_tokens: tokens are only ever appended or cleared.
    mutable std::vector<uint32_t> m_closingParentheses;
};

// Fails as getParameter does for an index beyond the bound values.
[[noreturn]] void failParameterIndex();

} // namespace VKCL
