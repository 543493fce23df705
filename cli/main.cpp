// tallimex-cli: the calculator's console on a terminal, or as a filter from lines to results.
#include <cstdio>
#include <exception>
#include <memory>
#include <ostream>

#include "cli/confirmations.h"
#include "cli/line_reader.h"
#include "cli/options.h"
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

int reportWriteError(const CStandardStreams& streams)
{
    std::fprintf(stderr, "%s: cannot write the output: %s\n", PROGRAM, streams.lastError().c_str());
    return 1;
}

int run(const COptions& options, CStandardStreams& streams)
{
    bool interactive = streams.isInteractive();

    // A Windows console edits its own lines; elsewhere libedit does, where it was available.
    std::unique_ptr<CLineReader> reader;
#if defined(TALLIMEX_LINE_EDITOR)
    if (interactive)
        reader = std::make_unique<CLineEditor>(streams.output());
#endif
    if (!reader) {
        reader = std::make_unique<CStreamLineReader>(streams.input(),
                                                     interactive ? &streams.output() : nullptr);
    }

    std::unique_ptr<VKCL::CConfirmation> confirmation;
    if (interactive && !options.yes)
        confirmation = std::make_unique<CPromptConfirmation>(*reader);
    else
        confirmation = std::make_unique<CFixedConfirmation>(options.yes);

    VKCL::CCalculator calculator(*confirmation);
    CStatementSession session(calculator);
    CStatementSession::End end =
        session.run(*reader, streams.output(), interactive ? STATEMENT_PROMPT : "");
    switch (end) {
    case CStatementSession::End::InputEnded:
        return 0;
    case CStatementSession::End::ReadFailed:
        std::fprintf(stderr, "%s: cannot read the input: %s\n", PROGRAM, streams.lastError().c_str());
        return 1;
    case CStatementSession::End::WriteFailed:
        return reportWriteError(streams);
    }
    return 1;
}

} // namespace

int main(int argc, char** argv)
{
    COptions options = parseOptions(argc, argv);
    if (!options.error.empty()) {
        std::fprintf(stderr, "%s: %s\nTry '%s --help' for more information.\n", PROGRAM,
                     options.error.c_str(), PROGRAM);
        return 2;
    }

    try {
        // Every byte of standard output goes through here, so that lines end in LF everywhere.
        CStandardStreams streams;
        if (options.help || options.version) {
            if (options.help)
                streams.output() << CLI_USAGE;
            else
                streams.output() << PROGRAM << ' ' << TALLIMEX_VERSION << '\n';
            return streams.output().flush() ? 0 : reportWriteError(streams);
        }
        return run(options, streams);
    } catch (const VKF::CException& e) {
        std::fprintf(stderr, "%s: %s\n", PROGRAM, VKF::toUtf8(e.toString()).c_str());
    } catch (const std::exception& e) {
        std::fprintf(stderr, "%s: %s\n", PROGRAM, e.what());
    }
    return 1;
}
