// Where the terminal's history is kept between runs.
#include "cli/history_file.h"

#include <filesystem>
#include <fstream>
#include <system_error>
#include <utility>

namespace {

bool isSet(const char* value)
{
    return value != nullptr && *value != '\0';
}

} // namespace

std::string historyFilePath(const CEnvironmentLookup& environment)
{
#if defined(_WIN32)
    const char* localAppData = environment("LOCALAPPDATA");
    return isSet(localAppData) ? std::string(localAppData) + "\\Tallimex\\history" : std::string();
#else
    // A relative XDG_STATE_HOME is to be ignored.
    const char* stateHome = environment("XDG_STATE_HOME");
    if (isSet(stateHome) && stateHome[0] == '/')
        return std::string(stateHome) + "/tallimex/history";
    const char* home = environment("HOME");
    return isSet(home) ? std::string(home) + "/.local/state/tallimex/history" : std::string();
#endif
}

bool prepareHistoryFolder(const std::string& historyFile)
{
    std::error_code error;
    const std::filesystem::path folder = std::filesystem::u8path(historyFile).parent_path();
    std::filesystem::create_directories(folder, error);
    return !error;
}

CLineHistory::CLineHistory(std::string file) : m_file(std::move(file))
{
    if (m_file.empty())
        return;
    std::ifstream input(std::filesystem::u8path(m_file), std::ios::binary);
    std::string line;
    while (std::getline(input, line))
        m_lines.push_back(line);
    if (m_lines.size() > std::size_t(HISTORY_LINES))
        m_lines.erase(m_lines.begin(), m_lines.end() - HISTORY_LINES);
}

void CLineHistory::add(const std::string& line)
{
    m_lines.push_back(line);
    // The file takes the new line at its end until the oldest has to go.
    const bool full = m_lines.size() > std::size_t(HISTORY_LINES);
    if (full)
        m_lines.erase(m_lines.begin());
    if (m_file.empty() || !prepareHistoryFolder(m_file))
        return;
    std::ofstream output(std::filesystem::u8path(m_file), std::ios::binary | (full ? std::ios::trunc : std::ios::app));
    if (!full) {
        output << line << '\n';
        return;
    }
    for (const std::string& kept : m_lines)
        output << kept << '\n';
}
