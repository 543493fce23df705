// Shared helpers of the engine tests: the engine's messages, a scripted confirmation and table-style checks.
#pragma once

#include <deque>
#include <initializer_list>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "engine/calculator.h"
#include "engine/confirmation.h"
#include "engine/web_site.h"
#include "foundation/exception.h"
#include "foundation/utf8.h"
#include "tests/print_string.h"

namespace enginetest {

// Messages checked in more than one place.
inline const std::string NUMERIC_OVERFLOW = "Numeric overflow occured while calculating.";
inline const std::string DIVISION_BY_ZERO = "Division by zero.";
inline const std::string UNPARSABLE = "Unable to parse expression. Please make sure you typed correctly.";
inline const std::string EMPTY = "Expression is empty.";
inline const std::string OPEN_ARGUMENTS = "Encountered end of expression while evaluating function parameters.";
inline const std::string TOO_LONG = "Expression is too long (it may hold at most 65536 numbers and 65536 names).";

inline std::string utf8(const VKF::CString& text)
{
    return VKF::toUtf8(text);
}

// ASCII text is widened directly: the long test lines would take fromUtf8 (which appends
// unit by unit) many seconds under the sanitizers.
inline VKF::CString text(const std::string& utf8Text)
{
    std::basic_string<VKF::UChar> units;
    units.reserve(utf8Text.size());
    for (const char c : utf8Text) {
        if (static_cast<unsigned char>(c) >= 0x80)
            return VKF::fromUtf8(utf8Text);
        units += VKF::UChar(c);
    }
    return VKF::CString(units.data(), int32_t(units.size()));
}

// The output line of a statement that fails with message.
inline std::string error(const std::string& message)
{
    return "Illegal syntax:  " + message;
}

inline std::string internalError(int number)
{
    return "Internal error " + std::to_string(number) + ". Please visit " + utf8(VKF::CString(VKCL::WEB_SITE_ADDRESS))
           + " and report the error.";
}

// Runs action, which must throw CSyntaxException with message.
template <typename Action>
void expectSyntaxError(Action action, const std::string& message, const std::string& what)
{
    try {
        action();
        ADD_FAILURE() << what << ": no error, expected " << message;
    } catch (const VKCL::CSyntaxException& caught) {
        EXPECT_EQ(utf8(caught.toString()), message) << what;
    }
}

// Answers questions from a queue and records them; a question nobody expected fails the test.
class CScriptedConfirmation : public VKCL::CConfirmation {
public:
    void willAnswer(bool yes) { m_answers.push_back(yes); }

    bool confirm(const VKF::CString& question) override
    {
        m_questions.push_back(utf8(question));
        if (m_answers.empty()) {
            ADD_FAILURE() << "unexpected question: " << utf8(question);
            return false;
        }
        const bool answer = m_answers.front();
        m_answers.pop_front();
        return answer;
    }

    const std::vector<std::string>& questions() const noexcept { return m_questions; }

private:
    std::deque<bool> m_answers;
    std::vector<std::string> m_questions;
};

// The engine with the views of its state that only tests read.
class CInspectedCalculator : public VKCL::CCalculator {
public:
    using CCalculator::CCalculator;
    using CCalculator::activeCallCount;
    using CCalculator::answer;
    using CCalculator::constants;
    using CCalculator::functions;
    using CCalculator::lookupVariable;
};

struct CCase {
    std::string input;
    std::string output;
};

// A fresh calculator per test, with helpers that run lines through executeStatement.
class CEngineTest : public ::testing::Test {
protected:
    std::string run(const std::string& input)
    {
        VKF::CString output;
        try {
            calculator.executeStatement(text(input), output);
        } catch (const VKF::CException& caught) {
            ADD_FAILURE() << "input: " << input << " threw " << utf8(caught.toString());
        }
        return utf8(output);
    }

    void expectOutput(const std::string& input, const std::string& expected)
    {
        EXPECT_EQ(run(input), expected) << "input: " << input;
    }

    void expectError(const std::string& input, const std::string& message) { expectOutput(input, error(message)); }

    // Runs the lines in order on the same calculator.
    void expectOutputs(std::initializer_list<CCase> cases)
    {
        for (const CCase& c : cases)
            expectOutput(c.input, c.output);
    }

    CScriptedConfirmation confirmation;
    CInspectedCalculator calculator{confirmation};
};

} // namespace enginetest
