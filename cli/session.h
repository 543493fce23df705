// A console session on the engine over lines of UTF-8 text: one output line per input line.
#pragma once

#include <iosfwd>
#include <string>

namespace VKCL {
class CCalculator;
}

class CLineReader;

class CStatementSession {
public:
    enum class End { InputEnded, ReadFailed, WriteFailed, StoppedOnError };

    // With stopOnError, run stops after the first line of a script that fails.
    explicit CStatementSession(VKCL::CCalculator& calculator, bool stopOnError = false)
        : m_calculator(calculator), m_stopOnError(stopOnError)
    {
    }

    // Blank lines and lines whose first non-blank character is # are not statements.
    static bool isSkipped(const std::string& line);
    // Whether an output line reports a failure: the engine's "Illegal syntax:" and refusals
    // ("Could not ..."), and the session's own reports.
    static bool isFailure(const std::string& output);

    // The output line for one input line given without its line end: the engine's output,
    // or a one-line report when the line is not UTF-8 or the engine fails otherwise.
    std::string execute(const std::string& line);

    // Executes every line the reader gives, skipping those isSkipped names, and writes each output
    // line followed by LF. The failures of a script's lines are counted (and may stop it); lines
    // typed at a prompt are not, as the person sees each answer. Output is flushed at the end; the
    // streams flush it whenever input would be waited for.
    End run(CLineReader& reader, std::ostream& output, const std::string& prompt = std::string(),
             bool typed = false);

    // Lines of scripts that failed so far.
    int failures() const noexcept { return m_failures; }

private:
    VKCL::CCalculator& m_calculator;
    bool m_stopOnError;
    int m_failures = 0;
};
