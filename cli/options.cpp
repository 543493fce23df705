// The command line of tallimex-cli.
#include "cli/options.h"

#include <cctype>
#include <cstring>

#include "foundation/exception.h"
#include "foundation/utf8.h"

const char* const CLI_USAGE =
    "Usage: tallimex-cli [OPTION]... [FILE]...\n"
    "Evaluates Tallimex statements, one per line, and writes one result line for each.\n"
    "\n"
    "The lines of each FILE (- is standard input) and of each -e run in the order given, in one\n"
    "session. Without FILE or -e, the lines come from standard input. Blank lines and lines\n"
    "whose first non-blank character is # are skipped.\n"
    "\n"
    "On a terminal, lines are edited and kept in a history, Tab completes names, Ctrl+C\n"
    "abandons the line and Ctrl+D (Windows: also Ctrl+Z) on an empty line ends the session;\n"
    "reassigning a name asks for confirmation. Elsewhere reassignments are refused unless\n"
    "--yes is given.\n"
    "\n"
    "Options:\n"
    "  -e EXPR            run the line EXPR (repeatable)\n"
    "  -i                 go on interactively after the files and -e lines\n"
    "  -y, --yes          answer Yes to every reassignment question\n"
    "  --stop-on-error    stop at the first line that gives an error\n"
    "  -q, --quiet        no banner on a terminal\n"
    "  --no-history       neither read nor write the history file\n"
    "  -h, --help         show this text and exit\n"
    "  --version          show the version and exit\n"
    "\n"
    "Plots (up to 16 in one picture; the plot dialog's checks and messages):\n"
    "  --plot EXPR        plot y = EXPR\n"
    "  --vector XEXPR YEXPR  plot the points (XEXPR, YEXPR)\n"
    "  each followed by any of:\n"
    "  --var NAME         the variable (x for --plot, t for --vector)\n"
    "  --from A --to B    the variable's range\n"
    "  --x-from A --x-to B  the x axis (default: the variable's range)\n"
    "  --y-from C --y-to D  the y axis (default: as the x axis)\n"
    "  --color RRGGBB     the line's colour in hexadecimal (default 000000, black)\n"
    "  --weight thin|medium|thick  the line's weight (default thin)\n"
    "  --output FILE      the picture, 400 x 400: .svg"
#if defined(_WIN32)
    ", .bmp or .jpg"
#elif defined(TALLIMEX_PNG)
    " or .png"
#endif
    "\n"
    "\n"
    "History: $XDG_STATE_HOME/tallimex/history (or ~/.local/state/tallimex/history;\n"
    "%LOCALAPPDATA%\\Tallimex\\history on Windows), the last 1,000 lines.\n"
    "\n"
    "Exit status: 0 when every line succeeded, 1 when a line or a plot gave an error,\n"
    "2 for a usage error or a file that cannot be read.\n";

namespace {

bool is(const char* argument, const char* shortName, const char* longName)
{
    return (shortName != nullptr && std::strcmp(argument, shortName) == 0) || std::strcmp(argument, longName) == 0;
}

// The plot options with one text value, and the field each fills.
struct CPlotTextOption {
    const char* name;
    VKF::CString CPlotDialogFields::*field;
    // The axis whose "Use default" the option clears, if any.
    bool CPlotDialogFields::*axisDefault;
};

const CPlotTextOption PLOT_TEXT_OPTIONS[] = {
    {"--var", &CPlotDialogFields::variable, nullptr},
    {"--from", &CPlotDialogFields::variableFrom, nullptr},
    {"--to", &CPlotDialogFields::variableTo, nullptr},
    {"--x-from", &CPlotDialogFields::xAxisFrom, &CPlotDialogFields::xAxisDefault},
    {"--x-to", &CPlotDialogFields::xAxisTo, &CPlotDialogFields::xAxisDefault},
    {"--y-from", &CPlotDialogFields::yAxisFrom, &CPlotDialogFields::yAxisDefault},
    {"--y-to", &CPlotDialogFields::yAxisTo, &CPlotDialogFields::yAxisDefault},
};

const CPlotTextOption* plotTextOption(const char* name)
{
    for (const CPlotTextOption& option : PLOT_TEXT_OPTIONS) {
        if (std::strcmp(name, option.name) == 0)
            return &option;
    }
    return nullptr;
}

bool parseColour(const char* text, uint32_t& colour)
{
    if (*text == '#')
        ++text;
    if (std::strlen(text) != 6)
        return false;
    unsigned rgb = 0;
    for (const char* c = text; *c != '\0'; ++c) {
        if (!std::isxdigit(static_cast<unsigned char>(*c)))
            return false;
        rgb = rgb * 16 + static_cast<unsigned>(std::isdigit(static_cast<unsigned char>(*c))
                                                   ? *c - '0'
                                                   : std::tolower(static_cast<unsigned char>(*c)) - 'a' + 10);
    }
    // RRGGBB as written, 0x00BBGGRR as kept.
    colour = ((rgb & 0xFF) << 16) | (rgb & 0xFF00) | ((rgb >> 16) & 0xFF);
    return true;
}

int weightIndex(const char* text)
{
    const char* const WEIGHTS[] = {"thin", "medium", "thick"};
    for (int k = 0; k < 3; ++k) {
        if (std::strcmp(text, WEIGHTS[k]) == 0)
            return k;
    }
    return -1;
}

class CParser {
public:
    CParser(int argc, const char* const* argv) : m_argc(argc), m_argv(argv) {}

    COptions parse()
    {
        while (m_options.error.empty() && ++m_next < m_argc)
            take(m_argv[m_next]);
        if (m_options.error.empty() && !m_options.plots.empty() && m_options.output.empty())
            m_options.error = "plots need --output FILE";
        if (m_options.error.empty() && m_options.plots.empty() && !m_options.output.empty())
            m_options.error = "--output needs --plot or --vector";
        return m_options;
    }

private:
    void take(const char* argument)
    {
        if (is(argument, "-h", "--help"))
            m_options.help = true;
        else if (is(argument, nullptr, "--version"))
            m_options.version = true;
        else if (is(argument, "-y", "--yes"))
            m_options.yes = true;
        else if (is(argument, "-i", "--interactive"))
            m_options.interactive = true;
        else if (is(argument, "-q", "--quiet"))
            m_options.quiet = true;
        else if (is(argument, nullptr, "--no-history"))
            m_options.noHistory = true;
        else if (is(argument, nullptr, "--stop-on-error"))
            m_options.stopOnError = true;
        else if (is(argument, "-", "-"))
            m_options.sources.push_back({SourceKind::StandardInput, {}});
        else if (argument[0] == '-')
            takeWithValue(argument);
        else
            m_options.sources.push_back({SourceKind::File, argument});
    }

    void takeWithValue(const char* option)
    {
        if (std::strcmp(option, "-e") == 0) {
            if (const char* line = value(option))
                m_options.sources.push_back({SourceKind::Expression, line});
        } else if (std::strcmp(option, "--output") == 0) {
            if (const char* file = value(option))
                m_options.output = file;
        } else if (std::strcmp(option, "--plot") == 0 || std::strcmp(option, "--vector") == 0) {
            takePlot(option);
        } else if (const CPlotTextOption* textOption = plotTextOption(option)) {
            if (const char* text = value(option); text != nullptr && currentPlot(option)) {
                CPlotDialogFields& plot = m_options.plots.back();
                plot.*textOption->field = fieldText(text);
                if (textOption->axisDefault != nullptr)
                    plot.*textOption->axisDefault = false;
            }
        } else if (std::strcmp(option, "--color") == 0) {
            const char* text = value(option);
            if (text != nullptr && currentPlot(option) && !parseColour(text, m_options.plots.back().colour))
                m_options.error = std::string("--color wants RRGGBB in hexadecimal, not '") + text + "'";
        } else if (std::strcmp(option, "--weight") == 0) {
            const char* text = value(option);
            if (text != nullptr && currentPlot(option)) {
                m_options.plots.back().weightIndex = int32_t(weightIndex(text));
                if (m_options.plots.back().weightIndex < 0)
                    m_options.error = std::string("--weight is thin, medium or thick, not '") + text + "'";
            }
        } else {
            m_options.error = std::string("unknown option '") + option + "'";
        }
    }

    void takePlot(const char* option)
    {
        CPlotDialogFields plot;
        const bool vector = std::strcmp(option, "--vector") == 0;
        plot.kind = vector ? PlotKind::Vector : PlotKind::Expression;
        plot.variable = vector ? VKF_T("t") : VKF_T("x");
        const char* first = value(option);
        if (first == nullptr)
            return;
        if (!vector) {
            plot.expression = fieldText(first);
        } else {
            const char* second = value(option);
            if (second == nullptr)
                return;
            plot.xExpression = fieldText(first);
            plot.yExpression = fieldText(second);
        }
        m_options.plots.push_back(plot);
    }

    // A field's text; one that is not UTF-8 is an error of the command line.
    VKF::CString fieldText(const char* text)
    {
        try {
            return VKF::fromUtf8(text);
        } catch (const VKF::CException& error) {
            m_options.error = std::string("'") + text + "' is not UTF-8: " + VKF::toUtf8(error.toString());
            return {};
        }
    }

    // The next argument, or nothing with the error set.
    const char* value(const char* option)
    {
        if (m_next + 1 >= m_argc) {
            m_options.error = std::string("option '") + option + "' needs a value";
            return nullptr;
        }
        return m_argv[++m_next];
    }

    bool currentPlot(const char* option)
    {
        if (!m_options.plots.empty())
            return true;
        m_options.error = std::string("'") + option + "' belongs to a --plot or --vector before it";
        return false;
    }

    int m_argc;
    const char* const* m_argv;
    int m_next = 0;
    COptions m_options;
};

} // namespace

COptions parseOptions(int argc, const char* const* argv)
{
    return CParser(argc, argv).parse();
}
