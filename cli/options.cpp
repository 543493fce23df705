// The command line of tallimex-cli.
#include "cli/options.h"

#include <cstring>

const char* const CLI_USAGE =
    "Usage: tallimex-cli [--yes]\n"
    "Evaluates Tallimex statements, one per line, and writes one result line for each.\n"
    "\n"
    "On a terminal, lines are edited and kept in a history, and reassigning a name asks\n"
    "for confirmation. With input from a pipe or a file, reassignments are refused\n"
    "unless --yes is given.\n"
    "\n"
    "Options:\n"
    "  --yes      answer Yes to every reassignment question\n"
    "  --help     show this text and exit\n"
    "  --version  show the version and exit\n";

COptions parseOptions(int argc, const char* const* argv)
{
    COptions options;
    for (int i = 1; i < argc; ++i) {
        const char* argument = argv[i];
        if (std::strcmp(argument, "--help") == 0 || std::strcmp(argument, "-h") == 0) {
            options.help = true;
        } else if (std::strcmp(argument, "--version") == 0) {
            options.version = true;
        } else if (std::strcmp(argument, "--yes") == 0 || std::strcmp(argument, "-y") == 0) {
            options.yes = true;
        } else if (argument[0] == '-') {
            options.error = std::string("unknown option '") + argument + "'";
            break;
        } else {
            options.error = std::string("unexpected argument '") + argument + "'";
            break;
        }
    }
    return options;
}
