// The names Tab offers at the terminal: the built-in ones and the user's.
#include "cli/name_completion.h"

#include <algorithm>

#include "engine/calculator.h"
#include "engine/functions.h"
#include "engine/tables.h"
#include "foundation/utf8.h"

const char* const NAME_BREAK_CHARACTERS = " \t\n\"'`!#$%&()*+,-./:;<=>?@[\\]^{|}~";

std::vector<std::string> completeName(const VKCL::CCalculator& calculator, const std::string& prefix)
{
    std::vector<VKF::CString> names;
    VKCL::appendReservedNames(names);
    for (int32_t k = 0; k < calculator.constants().size(); ++k)
        names.push_back(calculator.constants().nameAt(k));
    for (int32_t k = 0; k < calculator.functions().size(); ++k)
        names.push_back(calculator.functions().nameAt(k));
    std::vector<std::string> matches;
    for (const VKF::CString& name : names) {
        std::string text = VKF::toUtf8(name);
        if (text.rfind(prefix, 0) == 0)
            matches.push_back(std::move(text));
    }
    std::sort(matches.begin(), matches.end());
    matches.erase(std::unique(matches.begin(), matches.end()), matches.end());
    return matches;
}
