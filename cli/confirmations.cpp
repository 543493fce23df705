// The answers the command-line console gives to the engine's reassignment questions.
#include "cli/confirmations.h"

#include <cctype>
#include <ostream>

#include "cli/line_reader.h"
#include "foundation/utf8.h"

const char* const REASSIGNMENT_HINT =
    "tallimex-cli: hint: names are not reassigned without a terminal to ask at; --yes allows it.\n";

bool CFixedConfirmation::confirm(const VKF::CString& question)
{
    m_questions.push_back(question);
    if (!m_answer && m_questions.size() == 1 && m_hintOutput != nullptr)
        *m_hintOutput << REASSIGNMENT_HINT << std::flush;
    return m_answer;
}

bool CPromptConfirmation::confirm(const VKF::CString& question)
{
    std::string answer;
    if (!m_reader.readLine(confirmationPrompt(question), answer))
        return false;
    return isYesAnswer(answer);
}

std::string confirmationPrompt(const VKF::CString& question)
{
    return VKF::toUtf8(VKF::CString(VKCL::CONFIRMATION_CAPTION)) + ": " + VKF::toUtf8(question)
        + " [y/N] ";
}

bool isYesAnswer(const std::string& answer)
{
    std::size_t first = 0;
    std::size_t last = answer.size();
    while (first < last && std::isspace(static_cast<unsigned char>(answer[first])))
        ++first;
    while (last > first && std::isspace(static_cast<unsigned char>(answer[last - 1])))
        --last;
    std::string word;
    for (std::size_t i = first; i < last; ++i)
        word += static_cast<char>(std::tolower(static_cast<unsigned char>(answer[i])));
    return word == "y" || word == "yes";
}
