// Where the terminal's history is kept between runs.
#pragma once

#include <functional>
#include <string>

// The environment's value of a variable, or null.
using CEnvironmentLookup = std::function<const char*(const char*)>;

// $XDG_STATE_HOME/tallimex/history when that is an absolute path, else
// $HOME/.local/state/tallimex/history; on Windows %LOCALAPPDATA%\Tallimex\history. Empty when the
// variables needed are not set: then no history is kept.
std::string historyFilePath(const CEnvironmentLookup& environment);

// Creates the folders above the history file. False when they cannot be had.
bool prepareHistoryFolder(const std::string& historyFile);
