// The command line of tallimex-cli.
#pragma once

#include <string>
#include <vector>

// Where lines come from, in the order the command line names them.
enum class SourceKind { File, Expression, StandardInput };

struct CSource {
    SourceKind kind = SourceKind::File;
    // The file name or the line of -e; empty for standard input.
    std::string text;
};

// One --plot or --vector with the options that follow it, as the plot dialog's fields: an option
// left out is a field left empty (or the dialog's default), except the variable.
struct CPlotRequest {
    bool vector = false;
    // The expression of --plot, or the x and y expressions of --vector.
    std::string expression;
    std::string xExpression;
    std::string yExpression;
    // Empty: x for --plot, t for --vector.
    std::string variable;
    std::string from;
    std::string to;
    // The axes keep the dialog's "Use default" unless either end of theirs is given.
    bool xAxisGiven = false;
    std::string xFrom;
    std::string xTo;
    bool yAxisGiven = false;
    std::string yFrom;
    std::string yTo;
    // 0 thin, 1 medium, 2 thick.
    int weightIndex = 0;
    // A COLORREF, 0x00BBGGRR; black as in the dialog.
    unsigned colour = 0;
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
    std::vector<CPlotRequest> plots;
    std::string output;
    // Set when the command line is not understood; says why.
    std::string error;

    // Standard input is read after the sources: with -i, or when nothing else was asked for.
    bool readsStandardInput() const { return interactive || (sources.empty() && plots.empty()); }
};

COptions parseOptions(int argc, const char* const* argv);

extern const char* const CLI_USAGE;
