// The expression evaluator: a reduction to values and operators, then a recursive descent.
#include "engine/evaluator.h"

#include "engine/calculator.h"
#include "engine/calculator_state.h"
#include "engine/expression.h"
#include "engine/internal_error.h"
#include "engine/language_error.h"

namespace VKCL {

const VKF::UChar* const EMPTY_EXPRESSION_MESSAGE = VKF_T("Expression is empty.");

namespace {

const VKF::UChar* const UNPARSABLE_EXPRESSION_MESSAGE =
    VKF_T("Unable to parse expression. Please make sure you typed correctly.");
// They name MAX_PARENTHESIS_DEPTH and MAX_EVALUATION_DEPTH.
const VKF::UChar* const PARENTHESES_TOO_DEEP_MESSAGE =
    VKF_T("Parentheses are nested too deeply (at most 500 levels).");
const VKF::UChar* const EVALUATIONS_TOO_DEEP_MESSAGE =
    VKF_T("Function calls are nested too deeply (at most 500 levels).");

const VKF::UChar* const MISSING_RIGHT_PARENTHESIS_MESSAGE = VKF_T("Missing right parantheses.");
const VKF::UChar* const OPEN_ARGUMENT_LIST_MESSAGE =
    VKF_T("Encountered end of expression while evaluating function parameters.");

// Built once: every store of a value checks it for overflow.
const CValue& one()
{
    static const CValue value(1, 0);
    return value;
}

const CValue& minusOne()
{
    static const CValue value(-1, 0);
    return value;
}

// Gives back the space a list had on entry when the scope ends, also through an exception.
template <typename List>
class CTruncation {
public:
    explicit CTruncation(List& list) : m_list(list), m_size(list.size()) {}
    CTruncation(const CTruncation&) = delete;
    CTruncation& operator=(const CTruncation&) = delete;
    ~CTruncation() { m_list.resize(m_size); }
    std::size_t size() const noexcept { return m_size; }

private:
    List& m_list;
    std::size_t m_size;
};

} // namespace

// One evaluation of a token range of one expression.
class CEvaluator {
public:
    CEvaluator(CCalculatorState& state, const CExpression& expression, const CValueRange& parameters)
        : m_state(state),
          m_stacks(state.evaluation),
          m_expression(expression),
          m_parameters(parameters)
    {
    }

    // Evaluates tokens start .. end-1; an argument's range ends before its ',' or ')', the
    // range of a whole expression at its Token::End.
    static CValue evaluateRange(CCalculatorState& state, const CExpression& expression,
                                const CValueRange& parameters, uint32_t start, uint32_t end, bool isArgument);

private:
    class CDepth;

    CValue run(uint32_t start, uint32_t end, bool isArgument);
    void reduce(uint32_t position, uint32_t end, bool isArgument);
    uint32_t reduceCall(CNameView name, uint32_t position, uint32_t end);
    [[gnu::noinline]] bool singleOperand(uint32_t position, CValue& result);
    [[gnu::noinline]] uint32_t argumentEnd(uint32_t position, uint32_t end) const;
    uint32_t tokenAt(uint32_t position, uint32_t end) const noexcept;
    const CValue& parameter(uint32_t index) const;
    void append(uint32_t code) { m_stacks.work.push_back(CWorkToken{code, CValue()}); }
    void appendValue(const CValue& value) { m_stacks.work.push_back(CWorkToken{Token::Value, value}); }

    CValue sum(bool nested);
    CValue product(CValue accumulator);
    CValue operand();
    CValue primary();

    CCalculatorState& m_state;
    CEvaluationStacks& m_stacks;
    const CExpression& m_expression;
    const CValueRange& m_parameters;
    // The reduced list while it is parsed; nothing is appended to the stack meanwhile.
    const CWorkToken* m_work = nullptr;
    uint32_t m_cursor = 0;
    uint32_t m_pending = Token::End;
    uint32_t m_parenthesisDepth = 0;
};

// Counts nested evaluations, so that no line can exhaust the stack.
class CEvaluator::CDepth {
public:
    explicit CDepth(CEvaluationStacks& stacks) : m_stacks(stacks)
    {
        if (m_stacks.depth >= MAX_EVALUATION_DEPTH)
            fail(EVALUATIONS_TOO_DEEP_MESSAGE);
        ++m_stacks.depth;
    }
    CDepth(const CDepth&) = delete;
    CDepth& operator=(const CDepth&) = delete;
    ~CDepth() { --m_stacks.depth; }

private:
    CEvaluationStacks& m_stacks;
};

CValue CEvaluator::evaluateRange(CCalculatorState& state, const CExpression& expression,
                                 const CValueRange& parameters, uint32_t start, uint32_t end, bool isArgument)
{
    CEvaluator evaluator(state, expression, parameters);
    const CDepth depth(evaluator.m_stacks);
    return evaluator.run(start, end, isArgument);
}

CValue CEvaluator::run(uint32_t start, uint32_t end, bool isArgument)
{
    CValue single;
    if (isArgument && end == start + 1 && singleOperand(start, single))
        return single;
    std::vector<CWorkToken>& work = m_stacks.work;
    const CTruncation<std::vector<CWorkToken>> truncation(work);
    reduce(start, end, isArgument);
    // A second end lets the descent read one token past the first without a bounds test.
    append(Token::End);
    m_work = work.data() + truncation.size();
    if (m_work[0].code == Token::End)
        fail(EMPTY_EXPRESSION_MESSAGE);
    m_cursor = 0;
    return sum(false);
}

// Most arguments are one literal, name or parameter, for which the descent would only compute
// 0 + 1 * value. False for any other token. Kept apart to keep the recursive frames small.
bool CEvaluator::singleOperand(uint32_t position, CValue& result)
{
    const uint32_t code = m_expression.tokens()[position];
    if (isValueToken(code))
        result = m_expression.getValue(tokenIndex(code));
    else if (isParameterToken(code))
        result = parameter(tokenIndex(code));
    else if (isNameToken(code))
        result = m_state.variableValue(m_expression.nameView(tokenIndex(code)));
    else
        return false;
    result = applyOperator(CValue(), Token::Add, applyOperator(one(), Token::Multiply, result));
    return true;
}

// The position of the ',' or ')' that ends the argument starting at position.
uint32_t CEvaluator::argumentEnd(uint32_t position, uint32_t end) const
{
    for (;;) {
        const uint32_t code = tokenAt(position, end);
        if (code == Token::End)
            fail(OPEN_ARGUMENT_LIST_MESSAGE);
        if (code == Token::RightParen || code == Token::Comma)
            return position;
        // A nested list is part of this argument: skip to its ')' (or fail at the end).
        if (code == Token::LeftParen)
            position = m_expression.closingParentheses()[position];
        if (tokenAt(position, end) == Token::End)
            fail(OPEN_ARGUMENT_LIST_MESSAGE);
        ++position;
    }
}

uint32_t CEvaluator::tokenAt(uint32_t position, uint32_t end) const noexcept
{
    return position < end ? m_expression.tokens()[position] : Token::End;
}

const CValue& CEvaluator::parameter(uint32_t index) const
{
    if (index >= m_parameters.count)
        failParameterIndex();
    return m_parameters[index];
}

// Replaces names, parameters and calls by values and inserts the implicit multiplications:
// value·(, )·value, value·name, )·name, )·parameter, and a call counts as a parenthesised
// operand. Inside an argument list parameters count as values, as they have been bound.
void CEvaluator::reduce(uint32_t position, uint32_t end, bool isArgument)
{
    const uint32_t* tokens = m_expression.tokens();
    uint32_t previous = Token::End;
    for (;;) {
        uint32_t code;
        if (position < end)
            code = tokens[position];
        else if (isArgument)
            code = Token::End;
        else
            code = m_expression.getToken(position); // a list without its end: fails
        if (isValueToken(code)) {
            if (previous == Token::RightParen)
                append(Token::Multiply);
            appendValue(m_expression.getValue(tokenIndex(code)));
            previous = code;
            ++position;
        } else if (isNameToken(code)) {
            if (isValueToken(previous) || previous == Token::RightParen)
                append(Token::Multiply);
            const CNameView name = m_expression.nameView(tokenIndex(code));
            if (position + 1 < end && tokens[position + 1] == Token::LeftParen) {
                position = reduceCall(name, position + 2, end);
                previous = Token::RightParen;
            } else {
                appendValue(m_state.variableValue(name));
                previous = code;
                ++position;
            }
        } else if (isParameterToken(code)) {
            if (previous == Token::RightParen)
                append(Token::Multiply);
            appendValue(parameter(tokenIndex(code)));
            previous = isArgument ? Token::Value : code;
            ++position;
        } else if (isCallToken(code)) {
            throwInternalError(InternalError::CallTokenEvaluated);
        } else {
            if (isValueToken(previous) && code == Token::LeftParen)
                append(Token::Multiply);
            append(code);
            if (code == Token::End)
                return;
            previous = code;
            ++position;
        }
    }
}

// Evaluates the arguments of the call whose list starts at position (after its '('), left to
// right, each as soon as its ',' or ')' is found, then the call; returns the position after
// the closing ')'.
uint32_t CEvaluator::reduceCall(CNameView name, uint32_t position, uint32_t end)
{
    std::vector<CValue>& arguments = m_stacks.arguments;
    const CTruncation<std::vector<CValue>> truncation(arguments);
    if (tokenAt(position, end) != Token::RightParen) {
        for (;;) {
            const uint32_t first = position;
            position = argumentEnd(position, end);
            const CValue value = evaluateRange(m_state, m_expression, m_parameters, first, position, true);
            arguments.push_back(value);
            if (m_expression.tokens()[position] == Token::RightParen)
                break;
            ++position;
        }
    }
    const CValueRange values{&arguments, uint32_t(truncation.size()), uint32_t(arguments.size() - truncation.size())};
    appendValue(m_state.callValue(name, values));
    return position + 1;
}

// Adds and subtracts the terms until the end (or the closing parenthesis when nested).
CValue CEvaluator::sum(bool nested)
{
    CValue accumulator;
    m_pending = Token::Add;
    for (;;) {
        if (m_pending == Token::Add || m_pending == Token::Subtract) {
            const uint32_t op = m_pending;
            m_pending = Token::Multiply;
            const CValue term = product(one());
            accumulator = applyOperator(accumulator, op, term);
        } else if (m_pending != Token::RightParen && m_pending != Token::End) {
            fail(UNPARSABLE_EXPRESSION_MESSAGE);
        }
        if (m_pending == Token::RightParen) {
            if (nested)
                return accumulator;
            // A ')' without its '(' would otherwise end no step at the outermost level.
            fail(UNPARSABLE_EXPRESSION_MESSAGE);
        }
        if (m_pending == Token::End) {
            if (nested)
                fail(MISSING_RIGHT_PARENTHESIS_MESSAGE);
            return accumulator;
        }
    }
}

// Multiplies and divides by one operand (with its powers) per turn, while * or / follows.
CValue CEvaluator::product(CValue accumulator)
{
    for (;;) {
        if (m_pending != Token::Multiply && m_pending != Token::Divide)
            fail(UNPARSABLE_EXPRESSION_MESSAGE);
        const uint32_t op = m_pending;
        const CValue factor = operand();
        accumulator = applyOperator(accumulator, op, factor);
        m_pending = m_work[++m_cursor].code;
        ++m_cursor;
        switch (m_pending) {
        case Token::RightParen:
        case Token::End:
        case Token::Add:
        case Token::Subtract:
            return accumulator;
        case Token::Multiply:
        case Token::Divide:
            break;
        default:
            fail(UNPARSABLE_EXPRESSION_MESSAGE);
        }
    }
}

// An operand with its optional leading minus and its exponents. The cursor ends on the
// operand's last token. The minus applies after the powers: -2^2 = -4.
CValue CEvaluator::operand()
{
    m_pending = m_work[m_cursor].code;
    const bool negate = m_pending == Token::Subtract;
    if (negate)
        m_pending = m_work[++m_cursor].code;
    CValue base = primary();
    while (m_work[m_cursor + 1].code == Token::Power) {
        m_cursor += 2;
        m_pending = m_work[m_cursor].code;
        const bool negateExponent = m_pending == Token::Subtract;
        if (negateExponent)
            m_pending = m_work[++m_cursor].code;
        CValue exponent = primary();
        if (negateExponent)
            exponent.multiply(minusOne());
        base.power(exponent);
    }
    if (negate)
        base.multiply(minusOne());
    return base;
}

// A value, or a parenthesised sum after which the cursor rests on the ')'.
CValue CEvaluator::primary()
{
    if (isValueToken(m_pending))
        return m_work[m_cursor].value;
    if (m_pending != Token::LeftParen)
        fail(UNPARSABLE_EXPRESSION_MESSAGE);
    if (m_parenthesisDepth >= MAX_PARENTHESIS_DEPTH)
        fail(PARENTHESES_TOO_DEEP_MESSAGE);
    ++m_parenthesisDepth;
    ++m_cursor;
    const CValue inner = sum(true);
    --m_cursor;
    --m_parenthesisDepth;
    return inner;
}

CValue evaluate(CCalculator& calculator, const CExpression& expression, uint32_t start)
{
    return evaluate(*calculator.m_state, expression, start);
}

CValue evaluate(CCalculatorState& state, const CExpression& expression, uint32_t start)
{
    const CValueRange parameters{&expression.parameterValues(), 0, uint32_t(expression.parameterValues().size())};
    return evaluate(state, expression, start, parameters);
}

CValue evaluate(CCalculatorState& state, const CExpression& expression, uint32_t start,
                const CValueRange& parameters)
{
    return CEvaluator::evaluateRange(state, expression, parameters, start, expression.tokenCount(), false);
}

CValue applyOperator(const CValue& left, uint32_t op, const CValue& right)
{
    CValue result = left;
    switch (op) {
    case Token::Add:
        result.add(right);
        break;
    case Token::Subtract:
        result.subtract(right);
        break;
    case Token::Multiply:
        result.multiply(right);
        break;
    case Token::Divide:
        result.divide(right);
        break;
    case Token::Power:
        result.power(right);
        break;
    default:
        throwInternalError(InternalError::UnknownOperator);
    }
    return result;
}

} // namespace VKCL
