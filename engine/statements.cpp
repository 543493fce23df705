// The statement compiler: expressions, assignments, definitions and unassignments.
#include "engine/statements.h"

#include <memory>
#include <optional>
#include <unordered_map>
#include <vector>

#include "engine/calculator_state.h"
#include "engine/evaluator.h"
#include "engine/language_error.h"
#include "engine/tokenizer.h"
#include "foundation/exception.h"

namespace VKCL {

namespace {

const VKF::UChar* const ILLEGAL_SYNTAX_PREFIX = VKF_T("Illegal syntax:  ");
const VKF::UChar* const RESULT_PREFIX = VKF_T("= ");
const VKF::UChar* const DUPLICATE_PARAMETER_MESSAGE =
    VKF_T("All parameter names must be unique when assigning function");

// Above this many parameters, names are found through a hash map instead of one by one.
constexpr std::size_t PARAMETER_MAP_THRESHOLD = 16;

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

// Lends a token list from the engine's spares for one statement and takes it back emptied.
class CSpareExpression {
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

// The texts of one kind of binding; each names the name between its two parts.
struct CBindingTexts {
    const VKF::UChar* reserved;           // + "' (name is reserved)."
    const VKF::UChar* otherKindQuestion;  // the name is bound to the other kind
    const VKF::UChar* otherKindQuestionEnd;
    const VKF::UChar* otherKindRefusal;   // + "'."
    const VKF::UChar* sameKindQuestion;   // + "'?"
};

const VKF::UChar* const COULD_NOT_REASSIGN_NAME = VKF_T("Could not reassign the name '");

const CBindingTexts VARIABLE_TEXTS = {
    VKF_T("Could not assign variable '"),
    VKF_T("Are you sure want to reassign the function '"),
    VKF_T("' to be a variable?"),
    COULD_NOT_REASSIGN_NAME,
    VKF_T("Are you sure you want to reassign the variable '"),
};

const CBindingTexts FUNCTION_TEXTS = {
    VKF_T("Could not assign function '"),
    VKF_T("Are you sure you want to reassign the variable '"),
    VKF_T("' to a be function?"),
    VKF_T("Could not reassign function '"),
    VKF_T("Are you sure you want to reassign the function '"),
};

// One statement: recognises its form and binds, defines or unassigns on the engine's tables.
class CStatementCompiler {
public:
    CStatementCompiler(CCalculatorState& state, VKF::CString& output) : m_state(state), m_output(output) {}

    void execute(const CExpression& tokens);

private:
    bool defineFunction(const CExpression& tokens);
    void checkParameters(CParameterList& parameters) const;
    template <typename Table, typename Other, typename Entry>
    void bind(Table& table, Other& other, const VKF::CString& name, const Entry& entry, const CBindingTexts& texts);
    void unassign(const VKF::CString& name);
    // Active calls hold function-table indexes; a change of the constants leaves them valid.
    void changed(const CFunctionTable&) noexcept { m_state.functionsChanged(); }
    void changed(const CConstantTable&) noexcept {}

    CCalculatorState& m_state;
    VKF::CString& m_output;
};

void CStatementCompiler::execute(const CExpression& tokens)
{
    // Every token list ends with Token::End, so looking one past a name or '=' stays inside.
    const uint32_t* t = tokens.tokens();
    if (isNameToken(t[0]) && t[1] == Token::Assign) {
        const VKF::CString name = tokens.getName(tokenIndex(t[0]));
        if (t[2] == Token::Query && t[3] == Token::End) {
            unassign(name);
            return;
        }
        const CValue value = evaluate(m_state, tokens, 2);
        bind(m_state.constants, m_state.functions, name, value, VARIABLE_TEXTS);
        return;
    }
    if (isNameToken(t[0]) && t[1] == Token::LeftParen && defineFunction(tokens))
        return;
    m_output = RESULT_PREFIX;
    const CValue value = evaluate(m_state, tokens, 0);
    m_state.answer = value;
    m_output += m_state.answer;
}

// The parameter names of name(P0,P1,...)= and the position of the body after the '=';
// nothing when the line is not a definition.
std::optional<uint32_t> readParameters(const CExpression& tokens, CParameterList& parameters)
{
    const uint32_t* t = tokens.tokens();
    uint32_t p = 2;
    bool expectName = true;
    while (t[p] != Token::RightParen && t[p] != Token::End) {
        if (expectName) {
            if (!isNameToken(t[p]))
                return std::nullopt;
            parameters.add(tokens.nameView(tokenIndex(t[p])));
            expectName = false;
        } else {
            if (t[p] != Token::Comma)
                return std::nullopt;
            expectName = true;
        }
        ++p;
    }
    if (t[p] == Token::End || t[p + 1] != Token::Assign)
        return std::nullopt;
    return p + 2;
}

// The body from bodyStart to the end, with its parameter names turned into parameter tokens.
CExpression compileBody(const CExpression& tokens, uint32_t bodyStart, const CParameterList& parameters)
{
    const uint32_t* t = tokens.tokens();
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
    return body;
}

// Reads the parameters, checks them, compiles the body and binds it (or, for a body of
// just '?', unassigns the name); false when the line is not a definition.
bool CStatementCompiler::defineFunction(const CExpression& tokens)
{
    CParameterList parameters;
    const std::optional<uint32_t> bodyStart = readParameters(tokens, parameters);
    if (!bodyStart)
        return false;
    checkParameters(parameters);
    const CExpression body = compileBody(tokens, *bodyStart, parameters);
    const VKF::CString name = tokens.getName(tokenIndex(tokens.tokens()[0]));
    if (body.tokenCount() == 2 && body.getToken(0) == Token::Query)
        unassign(name);
    else
        bind(m_state.functions, m_state.constants, name, body, FUNCTION_TEXTS);
    return true;
}

void CStatementCompiler::checkParameters(CParameterList& parameters) const
{
    for (std::size_t u = 0; u < parameters.size(); ++u) {
        const CNameView parameter = parameters[u];
        if (parameters.repeatsEarlier(u))
            fail(DUPLICATE_PARAMETER_MESSAGE);
        if (m_state.constants.indexOf(parameter) >= 0)
            failNamed(VKF_T("Parameter name '"), parameter, VKF_T("' is already taken by a user defined constant."));
        if (m_state.functions.indexOf(parameter) >= 0)
            failNamed(VKF_T("Parameter name '"), parameter, VKF_T("' is already taken by a user defined function."));
        if (m_state.isReserved(parameter))
            failNamed(VKF_T("Parameter name '"), parameter, VKF_T("' is a reserved name."));
    }
}

// Binds name to entry in table and writes "name = entry". A name bound in either table is
// replaced only after a Yes to the question; on No the refusal is the output.
template <typename Table, typename Other, typename Entry>
void CStatementCompiler::bind(Table& table, Other& other, const VKF::CString& name, const Entry& entry,
                              const CBindingTexts& texts)
{
    const CNameView view = viewOf(name);
    if (m_state.isReserved(view))
        failNamed(texts.reserved, view, VKF_T("' (name is reserved)."));
    const bool otherKind = other.indexOf(view) >= 0;
    if (otherKind || table.indexOf(view) >= 0) {
        const VKF::CString question = otherKind ? named(texts.otherKindQuestion, view, texts.otherKindQuestionEnd)
                                                : named(texts.sameKindQuestion, view, VKF_T("'?"));
        if (!m_state.confirm(question)) {
            m_output = named(otherKind ? texts.otherKindRefusal : COULD_NOT_REASSIGN_NAME, view, VKF_T("'."));
            return;
        }
    }
    // Looked up again: the question runs a message loop that may have changed the tables.
    if (otherKind) {
        const int32_t index = other.indexOf(view);
        if (index >= 0) {
            other.remove(index);
            changed(other);
        }
        table.add(name, entry);
    } else if (const int32_t index = table.indexOf(view); index >= 0) {
        table.replace(index, entry);
    } else {
        table.add(name, entry);
    }
    changed(table);
    // Stored first: should the text form fail, the definition stays.
    m_output = name;
    m_output += VKF_T(" = ");
    m_output += entry;
}

void CStatementCompiler::unassign(const VKF::CString& name)
{
    const CNameView view = viewOf(name);
    if (m_state.isReserved(view))
        failNamed(VKF_T("The name '"), view, VKF_T("' is reserved and cannot be unassigned."));
    const int32_t constant = m_state.constants.indexOf(view);
    if (constant >= 0) {
        m_state.constants.remove(constant);
    } else {
        const int32_t function = m_state.functions.indexOf(view);
        if (function < 0)
            failNamed(VKF_T("The name '"), view, VKF_T("' has no definition or has already been unassigned."));
        m_state.functions.remove(function);
        m_state.functionsChanged();
    }
    m_output = named(VKF_T("The name '"), view, VKF_T("' was unassigned."));
}

} // namespace

void executeLine(CCalculatorState& state, const VKF::CString& input, VKF::CString& output)
{
    try {
        const CSpareExpression tokens(state.spareExpressions);
        tokenize(input, *tokens);
        CStatementCompiler(state, output).execute(*tokens);
    } catch (const CSyntaxException& e) {
        output = ILLEGAL_SYNTAX_PREFIX;
        output += e.toString();
    }
    if (state.evaluation.depth == 0)
        state.evaluation.releaseLargeLists();
}

} // namespace VKCL
