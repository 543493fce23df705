// Standard input and output on file descriptors 0 and 1.
#include "cli/standard_streams.h"

#include <cerrno>
#include <csignal>
#include <cstring>
#include <istream>
#include <ostream>
#include <stdexcept>
#include <streambuf>

#include <unistd.h>

namespace {

class COutputBuffer : public std::streambuf {
public:
    explicit COutputBuffer(int& error) : m_error(error) { setp(m_buffer, m_buffer + sizeof m_buffer); }

protected:
    int_type overflow(int_type c) override
    {
        if (!drain())
            return traits_type::eof();
        if (!traits_type::eq_int_type(c, traits_type::eof())) {
            *pptr() = traits_type::to_char_type(c);
            pbump(1);
        }
        return traits_type::not_eof(c);
    }

    int sync() override { return drain() ? 0 : -1; }

private:
    bool drain()
    {
        // A failed write stays failed: the stream learns of it at the latest when flushed.
        if (m_error != 0)
            return false;
        const char* next = pbase();
        while (next < pptr()) {
            ssize_t written = ::write(STDOUT_FILENO, next, static_cast<size_t>(pptr() - next));
            if (written < 0) {
                if (errno == EINTR)
                    continue;
                m_error = errno;
                setp(m_buffer, m_buffer + sizeof m_buffer);
                return false;
            }
            next += written;
        }
        setp(m_buffer, m_buffer + sizeof m_buffer);
        return true;
    }

    char m_buffer[16384];
    int& m_error;
};

class CInputBuffer : public std::streambuf {
public:
    CInputBuffer(std::streambuf& output, int& error) : m_output(output), m_error(error) {}

protected:
    int_type underflow() override
    {
        if (gptr() < egptr())
            return traits_type::to_int_type(*gptr());
        // Output that cannot be written ends the reading: nobody would see the answers.
        if (m_output.pubsync() != 0)
            return traits_type::eof();
        for (;;) {
            ssize_t count = ::read(STDIN_FILENO, m_buffer, sizeof m_buffer);
            if (count > 0) {
                setg(m_buffer, m_buffer, m_buffer + count);
                return traits_type::to_int_type(*gptr());
            }
            if (count == 0)
                return traits_type::eof();
            if (errno == EINTR)
                continue;
            m_error = errno;
            // The stream turns an exception from its buffer into badbit: an error, not the end.
            throw std::runtime_error("read error");
        }
    }

private:
    char m_buffer[16384];
    std::streambuf& m_output;
    int& m_error;
};

} // namespace

struct CStandardStreams::CImpl {
    int writeError = 0;
    int readError = 0;
    COutputBuffer outputBuffer{writeError};
    CInputBuffer inputBuffer{outputBuffer, readError};
    std::ostream output{&outputBuffer};
    std::istream input{&inputBuffer};
};

CStandardStreams::CStandardStreams() : m_impl(std::make_unique<CImpl>())
{
    // A reader that goes away must show up as a failed write (exit status 1), not as a
    // silent death by signal.
    std::signal(SIGPIPE, SIG_IGN);
}

CStandardStreams::~CStandardStreams()
{
    m_impl->output.flush();
}

std::istream& CStandardStreams::input()
{
    return m_impl->input;
}

std::ostream& CStandardStreams::output()
{
    return m_impl->output;
}

bool CStandardStreams::isInteractive() const
{
    return ::isatty(STDIN_FILENO) == 1 && ::isatty(STDOUT_FILENO) == 1;
}

void CStandardStreams::abandonLinesOnCtrlC()
{
}

std::vector<std::string> utf8Arguments(int argc, char** argv)
{
    return std::vector<std::string>(argv, argv + argc);
}

std::string CStandardStreams::lastError() const
{
    int error = m_impl->writeError != 0 ? m_impl->writeError : m_impl->readError;
    return error != 0 ? std::strerror(error) : "unknown error";
}
