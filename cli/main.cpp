// tallimex-cli: the calculator's console on a terminal, in scripts and as a filter from lines to
// results, and plots written as pictures.
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <exception>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <memory>
#include <ostream>
#include <sstream>
#include <vector>

#include "cli/confirmations.h"
#include "cli/history_file.h"
#include "cli/line_reader.h"
#include "cli/options.h"
#include "cli/plot_command.h"
#include "cli/session.h"
#include "cli/standard_streams.h"
#include "engine/calculator.h"
#include "version.h"
#include "foundation/exception.h"
#include "foundation/utf8.h"

#if defined(TALLIMEX_LINE_EDITOR)
#include "cli/line_editor.h"
#endif

namespace {

const char* const PROGRAM = "tallimex-cli";
// The window console writes each entry as ">> " followed by the line.
const char* const STATEMENT_PROMPT = ">> ";
#if defined(_WIN32)
const char* const HOW_TO_QUIT = "Ctrl+Z or Ctrl+D";
#else
const char* const HOW_TO_QUIT = "Ctrl+D";
#endif

constexpr int EXIT_FAILED_LINE = 1;
constexpr int EXIT_USAGE = 2;

int reportWriteError(const CStandardStreams& streams)
{
    std::cerr << PROGRAM << ": cannot write the output: " << streams.lastError() << '\n';
    return 1;
}

// The status for how the lines of one source ended, or -1 to go on.
int statusOfEnd(CStatementSession::End end, const CStandardStreams& streams)
{
    switch (end) {
    case CStatementSession::End::InputEnded: return -1;
    case CStatementSession::End::StoppedOnError: return EXIT_FAILED_LINE;
    case CStatementSession::End::ReadFailed:
        std::cerr << PROGRAM << ": cannot read the input: " << streams.lastError() << '\n';
        return 1;
    case CStatementSession::End::WriteFailed: return reportWriteError(streams);
    }
    return 1;
}

// Answers the engine's questions with whatever the current source wants: fixed answers for
// scripts and pipes, a question at the prompt.
class CSwitchingConfirmation : public VKCL::CConfirmation {
public:
    explicit CSwitchingConfirmation(VKCL::CConfirmation& current) : m_current(&current) {}
    bool confirm(const VKF::CString& question) override { return m_current->confirm(question); }
    void use(VKCL::CConfirmation& current) noexcept { m_current = &current; }

private:
    VKCL::CConfirmation* m_current;
};

class CCommand {
public:
    CCommand(const COptions& options, CStandardStreams& streams)
        : m_options(options), m_streams(streams), m_fixed(options.yes, &std::cerr), m_confirmation(m_fixed),
          m_calculator(m_confirmation), m_session(m_calculator, options.stopOnError)
    {
    }

    int run()
    {
        std::vector<std::unique_ptr<std::ifstream>> files;
        if (!openFiles(files))
            return EXIT_USAGE;
        std::size_t nextFile = 0;
        for (const CSource& source : m_options.sources) {
            int status = -1;
            if (source.kind == SourceKind::File) {
                CStreamLineReader reader(*files[nextFile++]);
                status = statusOfEnd(m_session.run(reader, m_streams.output()), m_streams);
            } else if (source.kind == SourceKind::Expression) {
                status = runExpression(source.text);
            } else {
                CStreamLineReader reader(m_streams.input());
                status = statusOfEnd(m_session.run(reader, m_streams.output()), m_streams);
            }
            if (status >= 0)
                return status;
        }
        if (!m_options.plots.empty()) {
            if (!m_streams.output().flush())
                return reportWriteError(m_streams);
            if (runPlots(m_calculator, m_options.plots, m_options.output, std::cerr) != 0)
                return EXIT_FAILED_LINE;
        }
        if (m_options.readsStandardInput()) {
            const int status = runStandardInput();
            if (status >= 0)
                return status;
        }
        if (!m_streams.output().flush())
            return reportWriteError(m_streams);
        return m_session.failures() > 0 ? EXIT_FAILED_LINE : 0;
    }

private:
    // Every file is opened before any line runs, so that a missing one changes nothing.
    bool openFiles(std::vector<std::unique_ptr<std::ifstream>>& files)
    {
        for (const CSource& source : m_options.sources) {
            if (source.kind != SourceKind::File)
                continue;
            errno = 0;
            auto file = std::make_unique<std::ifstream>(std::filesystem::u8path(source.text), std::ios::binary);
            if (!*file) {
                const int error = errno;
                std::cerr << PROGRAM << ": " << source.text << ": "
                          << (error != 0 ? std::strerror(error) : "cannot be read") << '\n';
                return false;
            }
            files.push_back(std::move(file));
        }
        return true;
    }

    int runExpression(const std::string& line)
    {
        std::istringstream text(line);
        CStreamLineReader reader(text);
        return statusOfEnd(m_session.run(reader, m_streams.output()), m_streams);
    }

    int runStandardInput()
    {
        if (!m_streams.isInteractive()) {
            CStreamLineReader reader(m_streams.input());
            return statusOfEnd(m_session.run(reader, m_streams.output()), m_streams);
        }
        if (!m_options.quiet) {
            m_streams.output() << "Tallimex " << TALLIMEX_VERSION << " terminal console. " << HOW_TO_QUIT
                               << " quits, --help tells more.\n";
        }
        // Lines are edited by the program's own editor on a Windows console, by libedit elsewhere
        // where it was available.
        m_streams.abandonLinesOnCtrlC();
        std::unique_ptr<CLineReader> reader;
#if defined(TALLIMEX_LINE_EDITOR)
        const std::string history = m_options.noHistory ? std::string() : historyFilePath(std::getenv);
        reader = std::make_unique<CLineEditor>(m_streams.output(), m_calculator, history);
#else
        reader = std::make_unique<CStreamLineReader>(m_streams.input(), &m_streams.output());
#endif
        CPromptConfirmation prompt(*reader);
        m_confirmation.use(m_options.yes ? static_cast<VKCL::CConfirmation&>(m_fixed) : prompt);
        const CStatementSession::End end = m_session.run(*reader, m_streams.output(), STATEMENT_PROMPT, true);
        m_confirmation.use(m_fixed);
        return statusOfEnd(end, m_streams);
    }

    const COptions& m_options;
    CStandardStreams& m_streams;
    CFixedConfirmation m_fixed;
    CSwitchingConfirmation m_confirmation;
    VKCL::CCalculator m_calculator;
    CStatementSession m_session;
};

int usageError(const std::string& message)
{
    std::cerr << PROGRAM << ": " << message << "\nTry '" << PROGRAM << " --help' for more information.\n";
    return EXIT_USAGE;
}

} // namespace

int main(int argc, char** argv)
{
    try {
        const std::vector<std::string> arguments = utf8Arguments(argc, argv);
        std::vector<const char*> pointers;
        for (const std::string& argument : arguments)
            pointers.push_back(argument.c_str());
        const COptions options = parseOptions(static_cast<int>(pointers.size()), pointers.data());
        if (!options.error.empty())
            return usageError(options.error);
        if (!options.plots.empty()) {
            const std::string formatError = pictureFormatError(options.output);
            if (!formatError.empty())
                return usageError(formatError);
        }

        // Every byte of standard output goes through here, so that lines end in LF everywhere.
        CStandardStreams streams;
        if (options.help || options.version) {
            if (options.help)
                streams.output() << CLI_USAGE;
            else
                streams.output() << PROGRAM << ' ' << TALLIMEX_VERSION << '\n';
            return streams.output().flush() ? 0 : reportWriteError(streams);
        }
        return CCommand(options, streams).run();
    } catch (const VKF::CException& e) {
        std::cerr << PROGRAM << ": " << VKF::toUtf8(e.toString()) << '\n';
    } catch (const std::exception& e) {
        std::cerr << PROGRAM << ": " << e.what() << '\n';
    }
    return 1;
}
