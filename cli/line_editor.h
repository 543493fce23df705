// Lines typed at a terminal, with line editing, a kept history and completion of names.
#pragma once

#include <iosfwd>
#include <memory>
#include <string>

#include "cli/line_reader.h"

namespace VKCL {
class CCalculator;
}

class CLineEditor : public CLineReader {
public:
    // Whatever was written to output is flushed before each prompt. Tab completes the names of
    // calculator; historyFile, unless empty, is read now and rewritten after each statement line.
    CLineEditor(std::ostream& output, const VKCL::CCalculator& calculator, const std::string& historyFile);
    ~CLineEditor() override;
    CLineEditor(const CLineEditor&) = delete;
    CLineEditor& operator=(const CLineEditor&) = delete;

    // Ctrl+C abandons the line being typed and prompts again; Ctrl+D on an empty line ends.
    bool readLine(const std::string& prompt, std::string& line) override;
    void remember(const std::string& line) override;
    bool failed() const override { return false; }

    struct CState;

private:
    std::ostream& m_output;
    std::unique_ptr<CState> m_state;
};
