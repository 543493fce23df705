// The command line of tallimex-cli.
#pragma once

#include <string>

struct COptions {
    bool help = false;
    bool version = false;
    // Answer every reassignment question Yes instead of asking or refusing.
    bool yes = false;
    // Set when the command line is not understood; says why.
    std::string error;
};

COptions parseOptions(int argc, const char* const* argv);

extern const char* const CLI_USAGE;
