// The command line of tallimex-cli.
#pragma once

#include <string>
#include <vector>

#include "graph/portable/plot_setup_acceptance.h"

// Where lines come from, in the order the command line names them.
enum class SourceKind { File, Expression, StandardInput };

struct CSource {
    SourceKind kind = SourceKind::File;
    // The file name or the line of -e; empty for standard input.
    std::string text;
};

struct COptions {
    bool help = false;
    bool version = false;
    // Answer every reassignment question Yes instead of asking or refusing.
    bool yes = false;
    // Go on at the prompt (or with standard input) after the files and -e lines.
    bool interactive = false;
    // No banner on a terminal.
    bool quiet = false;
    bool noHistory = false;
    bool stopOnError = false;
    std::vector<CSource> sources;
    // One per --plot or --vector, as the plot dialog's fields filled in by the options after it:
    // the variable is x for --plot and t for --vector unless --var names another, an axis keeps
    // "Use default" unless either end of it is given, and what is left out stays empty or as the
    // dialog starts (thin, black).
    std::vector<CPlotDialogFields> plots;
    std::string output;
    // Set when the command line is not understood; says why.
    std::string error;

    // Standard input is read after the sources: with -i, or when nothing else was asked for.
    bool readsStandardInput() const { return interactive || (sources.empty() && plots.empty()); }
};

COptions parseOptions(int argc, const char* const* argv);

extern const char* const CLI_USAGE;
