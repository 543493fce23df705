// Lines from a byte stream.
#include "cli/line_reader.h"

#include <istream>
#include <ostream>

CStreamLineReader::CStreamLineReader(std::istream& input, std::ostream* promptOutput)
    : m_input(input), m_promptOutput(promptOutput)
{
}

bool CStreamLineReader::readLine(const std::string& prompt, std::string& line)
{
    if (m_promptOutput != nullptr) {
        *m_promptOutput << prompt;
        m_promptOutput->flush();
    }
    line.clear();
    // getline sets eof without fail for a last line that has no LF: still a line.
    if (!std::getline(m_input, line))
        return false;
    if (!line.empty() && line.back() == '\r')
        line.pop_back();
    return true;
}

bool CStreamLineReader::failed() const
{
    return m_input.bad();
}
