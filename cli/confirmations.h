// The answers the command-line console gives to the engine's reassignment questions.
#pragma once

#include <iosfwd>
#include <string>
#include <vector>

#include "engine/confirmation.h"

class CLineReader;

// Answers every question the same way without asking anybody: No for piped input, so that
// nothing is overwritten by surprise, Yes when the user said so on the command line. The first No
// writes REASSIGNMENT_HINT to hintOutput, where there is one.
class CFixedConfirmation : public VKCL::CConfirmation {
public:
    explicit CFixedConfirmation(bool answer, std::ostream* hintOutput = nullptr)
        : m_answer(answer), m_hintOutput(hintOutput)
    {
    }
    bool confirm(const VKF::CString& question) override;
    // Every question asked so far, oldest first.
    const std::vector<VKF::CString>& questions() const noexcept { return m_questions; }

private:
    bool m_answer;
    std::ostream* m_hintOutput;
    std::vector<VKF::CString> m_questions;
};

// Asks "Prompt: <question> [y/N] " and reads the answer as a line: y or yes means Yes,
// anything else, the end of the input included, means No.
class CPromptConfirmation : public VKCL::CConfirmation {
public:
    explicit CPromptConfirmation(CLineReader& reader) : m_reader(reader) {}
    bool confirm(const VKF::CString& question) override;

private:
    CLineReader& m_reader;
};

// The line that tells how to allow what was refused.
extern const char* const REASSIGNMENT_HINT;

// The prompt under which the question is shown on a terminal.
std::string confirmationPrompt(const VKF::CString& question);
// True for "y" or "yes" in any case, blanks around allowed.
bool isYesAnswer(const std::string& answer);
