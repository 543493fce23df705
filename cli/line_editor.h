// Lines typed at a terminal, with line editing and a history.
#pragma once

#include <iosfwd>

#include "cli/line_reader.h"

class CLineEditor : public CLineReader {
public:
    // Whatever was written to output is flushed before each prompt.
    explicit CLineEditor(std::ostream& output);
    ~CLineEditor() override;
    CLineEditor(const CLineEditor&) = delete;
    CLineEditor& operator=(const CLineEditor&) = delete;

    bool readLine(const std::string& prompt, std::string& line) override;
    void remember(const std::string& line) override;
    bool failed() const override { return false; }

private:
    std::ostream& m_output;
};
