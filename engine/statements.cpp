// The statement compiler: expressions, assignments, definitions and unassignments.
#include <memory>
#include <unordered_map>
#include <vector>

#include "engine/calculator.h"
#include "engine/evaluator.h"
#include "engine/language_error.h"
#include "engine/tokenizer.h"
#include "foundation/exception.h"

namespace VKCL {

namespace {

const VKF::UChar* const ILLEGAL_SYNTAX_PREFIX = VKF_T("Illegal syntax:  ");
const VKF::UChar* const RESULT_PREFIX = VKF_T("= ");
const VKF::UChar* const DUPLICATE_PARAMETER_MESSAGE = VKF_T("All parameter names must be unique when assigning function");

// Above this many parameters, names are found through a hash map instead of one by one.
constexpr std::size_t PARAMETER_MAP_THRESHOLD = 16;

VKF::CString couldNotReassignName(const VKF::CString& name)
{
    return named(VKF_T("Could not reassign the name '"), viewOf(name), VKF_T("'."));
}

// The parameter names of a definition. Long lists are indexed by a hash map, filled while
// the names are checked for repeats in order.
class CParameterList {
public:
    void add(CNameView name) { m_names.push_back(name); }
    std::size_t size() const noexcept { return m_names.size(); }
    CNameView operator[](std::size_t k) const noexcept { return m_names[k]; }

    // True when parameter u repeats one before it; asked for u = 0, 1, 2, ... in turn.
    bool repeatsEarlier(std::size_t u)
    {
        if (m_names.size() <= PARAMETER_MAP_THRESHOLD) {
            for (std::size_t k = 0; k < u; ++k) {
                if (m_names[k] == m_names[u])
                    return true;
            }
            return false;
        }
        return !m_positions.emplace(m_names[u], int32_t(u)).second;
    }

    // Position of the parameter named name, or -1; asked once every name has been checked.
    int32_t find(CNameView name) const
    {
        if (m_names.size() <= PARAMETER_MAP_THRESHOLD) {
            for (std::size_t k = 0; k < m_names.size(); ++k) {
                if (m_names[k] == name)
                    return int32_t(k);
            }
            return -1;
        }
        const auto found = m_positions.find(name);
        return found == m_positions.end() ? -1 : found->second;
    }

private:
    std::vector<CNameView> m_names;
    std::unordered_map<CNameView, int32_t> m_positions;
};

} // namespace

// Lends a token list from the calculator's spares for one statement and takes it back emptied.
class CCalculator::CSpareExpression {
public:
    explicit CSpareExpression(std::vector<std::unique_ptr<CExpression>>& spares) : m_spares(spares)
    {
        if (m_spares.empty()) {
            m_expression = std::make_unique<CExpression>();
        } else {
            m_expression = std::move(m_spares.back());
            m_spares.pop_back();
        }
    }
    CSpareExpression(const CSpareExpression&) = delete;
    CSpareExpression& operator=(const CSpareExpression&) = delete;
    ~CSpareExpression()
    {
        // The lists of a very long line are not worth keeping.
        if (m_expression->tokenCount() > MAX_SIDE_LIST_ENTRIES)
            return;
        m_expression->clear();
        try {
            m_spares.push_back(std::move(m_expression));
        } catch (...) {
            // Without room to keep it, the list is simply freed.
        }
    }
    CExpression& operator*() const noexcept { return *m_expression; }

private:
    std::vector<std::unique_ptr<CExpression>>& m_spares;
    std::unique_ptr<CExpression> m_expression;
};

void CCalculator::executeStatement(const VKF::CString& input, VKF::CString& output)
{
    m_activeCalls.clear();
    VKF::translateOutOfMemory([&] {
        try {
            const CSpareExpression tokens(m_spareExpressions);
            tokenize(input, *tokens);
            executeTokens(*tokens, output);
        } catch (const CSyntaxException& e) {
            output = ILLEGAL_SYNTAX_PREFIX;
            output += e.toString();
        }
        if (m_evaluation.depth == 0)
            m_evaluation.releaseLargeLists();
    });
}

void CCalculator::executeTokens(const CExpression& tokens, VKF::CString& output)
{
    // Every token list ends with Token::End, so looking one past a name or '=' stays inside.
    const uint32_t* t = tokens.tokens();
    if (isNameToken(t[0]) && t[1] == Token::Assign) {
        const VKF::CString name = tokens.getName(tokenIndex(t[0]));
        if (t[2] == Token::Query && t[3] == Token::End) {
            unassign(name, output);
            return;
        }
        const CValue value = evaluate(*this, tokens, 2);
        assignVariable(name, value, output);
        return;
    }
    if (isNameToken(t[0]) && t[1] == Token::LeftParen && defineFunction(tokens, output))
        return;
    output = RESULT_PREFIX;
    const CValue value = evaluate(*this, tokens, 0);
    m_answer = value;
    output += m_answer;
}

// Reads name(P0,P1,...)= and compiles the body; false when the line is not a definition.
bool CCalculator::defineFunction(const CExpression& tokens, VKF::CString& output)
{
    const uint32_t* t = tokens.tokens();
    CParameterList parameters;
    uint32_t p = 2;
    bool expectName = true;
    while (t[p] != Token::RightParen && t[p] != Token::End) {
        if (expectName) {
            if (!isNameToken(t[p]))
                return false;
            parameters.add(tokens.nameView(tokenIndex(t[p])));
            expectName = false;
        } else {
            if (t[p] != Token::Comma)
                return false;
            expectName = true;
        }
        ++p;
    }
    if (t[p] == Token::End || t[p + 1] != Token::Assign)
        return false;

    for (std::size_t u = 0; u < parameters.size(); ++u) {
        const CNameView parameter = parameters[u];
        if (parameters.repeatsEarlier(u))
            fail(DUPLICATE_PARAMETER_MESSAGE);
        if (m_constants.indexOf(parameter) >= 0)
            failNamed(VKF_T("Parameter name '"), parameter, VKF_T("' is already taken by a user defined constant."));
        if (m_functions.indexOf(parameter) >= 0)
            failNamed(VKF_T("Parameter name '"), parameter, VKF_T("' is already taken by a user defined function."));
        if (isReserved(parameter))
            failNamed(VKF_T("Parameter name '"), parameter, VKF_T("' is a reserved name."));
    }

    const uint32_t bodyStart = p + 2;
    if (t[bodyStart] == Token::End)
        fail(EMPTY_EXPRESSION_MESSAGE);
    CExpression body;
    uint32_t end = bodyStart;
    while (t[end] != Token::End)
        ++end;
    body.reserveTokens(end - bodyStart + 1);
    for (uint32_t i = bodyStart; i < end; ++i) {
        const uint32_t code = t[i];
        if (isNameToken(code)) {
            // 2x: a literal directly before a name multiplies it.
            if (isValueToken(t[i - 1]))
                body.addToken(Token::Multiply);
            const CNameView name = tokens.nameView(tokenIndex(code));
            const int32_t position = parameters.find(name);
            if (position >= 0)
                body.addToken(Token::Parameter + uint32_t(position));
            else
                body.addName(name);
        } else if (isValueToken(code)) {
            body.addValue(tokens.getValue(tokenIndex(code)));
        } else {
            body.addToken(code);
        }
    }
    body.addToken(Token::End);
    body.setParameterCount(uint32_t(parameters.size()));

    const VKF::CString name = tokens.getName(tokenIndex(t[0]));
    if (body.tokenCount() == 2 && body.getToken(0) == Token::Query)
        unassign(name, output);
    else
        assignFunction(name, body, output);
    return true;
}

void CCalculator::assignVariable(const VKF::CString& name, const CValue& value, VKF::CString& output)
{
    const CNameView view = viewOf(name);
    if (isReserved(view))
        failNamed(VKF_T("Could not assign variable '"), view, VKF_T("' (name is reserved)."));
    if (m_functions.indexOf(view) >= 0) {
        if (!confirm(named(VKF_T("Are you sure want to reassign the function '"), view, VKF_T("' to be a variable?")))) {
            output = couldNotReassignName(name);
            return;
        }
        // Looked up again: the question runs a message loop that may have changed the tables.
        const int32_t function = m_functions.indexOf(view);
        if (function >= 0) {
            m_functions.remove(function);
            functionsChanged();
        }
        m_constants.add(name, value);
    } else if (m_constants.indexOf(view) >= 0) {
        if (!confirm(named(VKF_T("Are you sure you want to reassign the variable '"), view, VKF_T("'?")))) {
            output = couldNotReassignName(name);
            return;
        }
        const int32_t constant = m_constants.indexOf(view);
        if (constant >= 0)
            m_constants.replace(constant, value);
        else
            m_constants.add(name, value);
    } else {
        m_constants.add(name, value);
    }
    output = name;
    output += VKF_T(" = ");
    output += value;
}

void CCalculator::assignFunction(const VKF::CString& name, const CExpression& body, VKF::CString& output)
{
    const CNameView view = viewOf(name);
    if (isReserved(view))
        failNamed(VKF_T("Could not assign function '"), view, VKF_T("' (name is reserved)."));
    if (m_constants.indexOf(view) >= 0) {
        if (!confirm(named(VKF_T("Are you sure you want to reassign the variable '"), view, VKF_T("' to a be function?")))) {
            output = named(VKF_T("Could not reassign function '"), view, VKF_T("'."));
            return;
        }
        const int32_t constant = m_constants.indexOf(view);
        if (constant >= 0)
            m_constants.remove(constant);
        m_functions.add(name, body);
    } else if (m_functions.indexOf(view) >= 0) {
        if (!confirm(named(VKF_T("Are you sure you want to reassign the function '"), view, VKF_T("'?")))) {
            output = couldNotReassignName(name);
            return;
        }
        const int32_t function = m_functions.indexOf(view);
        if (function >= 0)
            m_functions.replace(function, body);
        else
            m_functions.add(name, body);
    } else {
        m_functions.add(name, body);
    }
    functionsChanged();
    // Stored first: should the text form fail, the definition stays.
    output = name;
    output += VKF_T(" = ");
    output += body;
}

void CCalculator::unassign(const VKF::CString& name, VKF::CString& output)
{
    const CNameView view = viewOf(name);
    if (isReserved(view))
        failNamed(VKF_T("The name '"), view, VKF_T("' is reserved and cannot be unassigned."));
    const int32_t constant = m_constants.indexOf(view);
    if (constant >= 0) {
        m_constants.remove(constant);
    } else {
        const int32_t function = m_functions.indexOf(view);
        if (function < 0)
            failNamed(VKF_T("The name '"), view, VKF_T("' has no definition or has already been unassigned."));
        m_functions.remove(function);
        functionsChanged();
    }
    output = named(VKF_T("The name '"), view, VKF_T("' was unassigned."));
}

} // namespace VKCL
