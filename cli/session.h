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
    enum class End { InputEnded, ReadFailed, WriteFailed };

    explicit CStatementSession(VKCL::CCalculator& calculator) : m_calculator(calculator) {}

    // The output line for one input line given without its line end: the engine's output,
    // or a one-line report when the line is not UTF-8 or the engine fails otherwise.
    std::string execute(const std::string& line);

    // Executes every line the reader gives and writes each output line followed by LF.
    // Output is flushed at the end; the streams flush it whenever input would be waited for.
    End run(CLineReader& reader, std::ostream& output, const std::string& prompt = std::string());

private:
    VKCL::CCalculator& m_calculator;
};
