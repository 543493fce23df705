// Shared helpers of the engine tests: a scripted confirmation and table-style statement checks.
#pragma once

#include <deque>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "engine/calculator.h"
#include "engine/confirmation.h"
#include "foundation/exception.h"
#include "foundation/utf8.h"
#include "tests/print_string.h"

namespace enginetest {

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
    std::size_t unusedAnswers() const noexcept { return m_answers.size(); }

private:
    std::deque<bool> m_answers;
    std::vector<std::string> m_questions;
};

// A fresh calculator per test, with helpers that run lines through executeStatement.
class CEngineTest : public ::testing::Test {
protected:
    std::string run(const std::string& input)
    {
        VKF::CString output;
        try {
            calculator.executeStatement(text(input), output);
        } catch (const VKF::CException& error) {
            ADD_FAILURE() << "input: " << input << " threw " << utf8(error.toString());
        }
        return utf8(output);
    }

    // The output line of one statement.
    void expectOutput(const std::string& input, const std::string& expected)
    {
        EXPECT_EQ(run(input), expected) << "input: " << input;
    }

    // The error line of one statement: "Illegal syntax:" with two blanks, then the message.
    void expectError(const std::string& input, const std::string& message)
    {
        EXPECT_EQ(run(input), "Illegal syntax:  " + message) << "input: " << input;
    }

    CScriptedConfirmation confirmation;
    VKCL::CCalculator calculator{confirmation};
};

} // namespace enginetest
