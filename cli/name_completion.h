// The names Tab offers at the terminal: the built-in ones and the user's.
#pragma once

#include <string>
#include <vector>

namespace VKCL {
class CCalculator;
}

// The reserved names, the user's variables and the user's functions that begin with prefix (UTF-8),
// sorted and each once.
std::vector<std::string> completeName(const VKCL::CCalculator& calculator, const std::string& prefix);

// The characters that end a name before the cursor: everything but letters, digits, _ and the bytes
// of non-ASCII letters.
extern const char* const NAME_BREAK_CHARACTERS;
