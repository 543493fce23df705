// Where the command-line console gets its lines from: a stream, or the terminal's line editor.
#pragma once

#include <iosfwd>
#include <string>

class CLineReader {
public:
    virtual ~CLineReader() = default;
    // Shows the prompt where someone can see it, then reads one line without its line end
    // (a CR before the LF is dropped too). False at the end of the input or on a read error.
    virtual bool readLine(const std::string& prompt, std::string& line) = 0;
    // Offers a statement line to the history, where there is one.
    virtual void remember(const std::string& line) { static_cast<void>(line); }
    // True when reading stopped on an error rather than at the end of the input.
    virtual bool failed() const = 0;
};

// Lines from a byte stream; prompts go to an optional stream, flushed before each read.
class CStreamLineReader : public CLineReader {
public:
    explicit CStreamLineReader(std::istream& input, std::ostream* promptOutput = nullptr);

    bool readLine(const std::string& prompt, std::string& line) override;
    bool failed() const override;

private:
    std::istream& m_input;
    std::ostream* m_promptOutput;
};
