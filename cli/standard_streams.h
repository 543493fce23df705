// Standard input and output as streams of UTF-8 bytes that report failed reads and writes.
#pragma once

#include <iosfwd>
#include <memory>
#include <string>
#include <vector>

class CStandardStreams {
public:
    CStandardStreams();
    ~CStandardStreams();
    CStandardStreams(const CStandardStreams&) = delete;
    CStandardStreams& operator=(const CStandardStreams&) = delete;

    // Reading sets badbit on an error (not at the end) and first flushes the output, so that
    // whatever answers were written reach the reader before the program waits for more input.
    std::istream& input();
    // Writing sets badbit on an error, a closed pipe included.
    std::ostream& output();

    // Both ends are a terminal (a console on Windows), where prompts and questions make sense.
    bool isInteractive() const;
    // What went wrong: the failed write if there was one, else the failed read.
    std::string lastError() const;
    // From now on Ctrl+C at a Windows console no longer ends the program: a read it interrupts
    // gives an empty line. Elsewhere the line editor takes care of Ctrl+C.
    void abandonLinesOnCtrlC();

    struct CImpl;

private:
    std::unique_ptr<CImpl> m_impl;
};

// The program's arguments as UTF-8, whatever the system's code page.
std::vector<std::string> utf8Arguments(int argc, char** argv);
