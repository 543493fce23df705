// Where the terminal's history is kept between runs.
#pragma once

#include <functional>
#include <string>
#include <vector>

// The history keeps this many lines, the newest.
inline constexpr int HISTORY_LINES = 1000;

// The environment's value of a variable, or null.
using CEnvironmentLookup = std::function<const char*(const char*)>;

// $XDG_STATE_HOME/tallimex/history when that is an absolute path, else
// $HOME/.local/state/tallimex/history; on Windows %LOCALAPPDATA%\Tallimex\history. Empty when the
// variables needed are not set: then no history is kept.
std::string historyFilePath(const CEnvironmentLookup& environment);

// Creates the folders above the history file. False when they cannot be had.
bool prepareHistoryFolder(const std::string& historyFile);

// The history as lines of UTF-8 text in a file, for the line editor that has none of its own.
class CLineHistory {
public:
    // Reads the file's last HISTORY_LINES lines; an empty name keeps the history in memory only.
    explicit CLineHistory(std::string file);

    // Adds line as the newest, in memory and in the file, which keeps the last HISTORY_LINES.
    void add(const std::string& line);
    // The oldest first.
    const std::vector<std::string>& lines() const noexcept { return m_lines; }

private:
    std::string m_file;
    std::vector<std::string> m_lines;
};
