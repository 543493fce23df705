// Standard input and output on the Win32 standard handles: UTF-8 bytes through pipes and
// files, UTF-16 through the console's own calls so that no code page gets in the way.
#include "cli/standard_streams.h"

#include <istream>
#include <ostream>
#include <stdexcept>
#include <streambuf>

#include <windows.h>
#include <shellapi.h>

#include "foundation/string.h"
#include "foundation/utf8.h"

namespace {

// Set by the console's control thread when Ctrl+C is pressed during a read.
volatile LONG ctrlCPressed = 0;

BOOL WINAPI onControlEvent(DWORD event)
{
    if (event != CTRL_C_EVENT)
        return FALSE;
    InterlockedExchange(&ctrlCPressed, 1);
    return TRUE;
}

bool isConsole(HANDLE handle)
{
    DWORD mode = 0;
    return handle != INVALID_HANDLE_VALUE && handle != nullptr && GetConsoleMode(handle, &mode) != 0;
}

// Length of the longest prefix of text that does not end inside a UTF-8 sequence.
std::size_t completeUtf8Prefix(const char* text, std::size_t length)
{
    std::size_t start = length;
    for (std::size_t back = 0; back < 4 && start > 0; ++back) {
        --start;
        unsigned char byte = static_cast<unsigned char>(text[start]);
        if ((byte & 0xC0) != 0x80) {
            std::size_t needed = byte >= 0xF0 ? 4 : byte >= 0xE0 ? 3 : byte >= 0xC0 ? 2 : 1;
            return length - start >= needed ? length : start;
        }
    }
    return length;
}

class COutputBuffer : public std::streambuf {
public:
    explicit COutputBuffer(DWORD& error)
        : m_handle(GetStdHandle(STD_OUTPUT_HANDLE)), m_console(isConsole(m_handle)), m_error(error)
    {
        setp(m_buffer, m_buffer + sizeof m_buffer);
    }

protected:
    int_type overflow(int_type c) override
    {
        if (!drain(false))
            return traits_type::eof();
        if (!traits_type::eq_int_type(c, traits_type::eof())) {
            *pptr() = traits_type::to_char_type(c);
            pbump(1);
        }
        return traits_type::not_eof(c);
    }

    int sync() override { return drain(true) ? 0 : -1; }

private:
    bool drain(bool everything)
    {
        // A failed write stays failed: the stream learns of it at the latest when flushed.
        if (m_error != 0)
            return false;
        std::size_t length = static_cast<std::size_t>(pptr() - pbase());
        // The console takes UTF-16, so a sequence cut by the end of the buffer waits for its tail.
        std::size_t ready = m_console && !everything ? completeUtf8Prefix(pbase(), length) : length;
        bool written = m_console ? writeConsole(pbase(), ready) : writeFile(pbase(), ready);
        std::size_t rest = length - ready;
        for (std::size_t i = 0; i < rest; ++i)
            m_buffer[i] = pbase()[ready + i];
        setp(m_buffer, m_buffer + sizeof m_buffer);
        pbump(static_cast<int>(rest));
        return written;
    }

    bool writeFile(const char* bytes, std::size_t length)
    {
        while (length > 0) {
            DWORD written = 0;
            if (!WriteFile(m_handle, bytes, static_cast<DWORD>(length), &written, nullptr)) {
                m_error = GetLastError();
                return false;
            }
            bytes += written;
            length -= written;
        }
        return true;
    }

    bool writeConsole(const char* bytes, std::size_t length)
    {
        if (length == 0)
            return true;
        VKF::CString text;
        try {
            text = VKF::fromUtf8(std::string(bytes, length));
        } catch (...) {
            m_error = ERROR_NO_UNICODE_TRANSLATION;
            return false;
        }
        const wchar_t* units = text.characters();
        DWORD left = static_cast<DWORD>(text.length());
        while (left > 0) {
            DWORD written = 0;
            if (!WriteConsoleW(m_handle, units, left, &written, nullptr)) {
                m_error = GetLastError();
                return false;
            }
            units += written;
            left -= written;
        }
        return true;
    }

    char m_buffer[16384];
    HANDLE m_handle;
    bool m_console;
    DWORD& m_error;
};

class CInputBuffer : public std::streambuf {
public:
    CInputBuffer(std::streambuf& output, DWORD& error)
        : m_handle(GetStdHandle(STD_INPUT_HANDLE)), m_console(isConsole(m_handle)),
          m_output(output), m_error(error)
    {
    }

protected:
    int_type underflow() override
    {
        if (gptr() < egptr())
            return traits_type::to_int_type(*gptr());
        // Output that cannot be written ends the reading: nobody would see the answers.
        if (m_output.pubsync() != 0)
            return traits_type::eof();
        std::size_t count = m_console ? readConsole() : readFile();
        if (count == 0)
            return traits_type::eof();
        setg(m_text.data(), m_text.data(), m_text.data() + count);
        return traits_type::to_int_type(*gptr());
    }

private:
    std::size_t readFile()
    {
        m_text.resize(16384);
        DWORD count = 0;
        if (!ReadFile(m_handle, m_text.data(), static_cast<DWORD>(m_text.size()), &count, nullptr)) {
            DWORD error = GetLastError();
            // The writer of a pipe closing its end is the end of the input.
            if (error == ERROR_BROKEN_PIPE || error == ERROR_HANDLE_EOF)
                return 0;
            m_error = error;
            // The stream turns an exception from its buffer into badbit: an error, not the end.
            throw std::runtime_error("read error");
        }
        return count;
    }

    // One line as the console edited it, in UTF-16; Ctrl+Z at the start of a line ends the input.
    std::size_t readConsole()
    {
        wchar_t units[4096];
        DWORD count = 0;
        const BOOL read =
            ReadConsoleW(m_handle, units, static_cast<DWORD>(sizeof units / sizeof units[0]), &count, nullptr);
        // Ctrl+C ends the read early, or (Wine) drops the line and reads on: a read ended without
        // text gives an empty line, which the session skips, instead of the end of the input.
        const bool interrupted = InterlockedExchange(&ctrlCPressed, 0) != 0;
        if ((!read && GetLastError() == ERROR_OPERATION_ABORTED) || (read && count == 0 && interrupted)) {
            m_text = "\n";
            return m_text.size();
        }
        if (!read) {
            m_error = GetLastError();
            throw std::runtime_error("read error");
        }
        if (count == 0 || units[0] == 0x1A)
            return 0;
        // A pair cut by the end of the read is joined with the next read.
        VKF::CString text;
        if (m_pendingUnit != 0)
            text += m_pendingUnit;
        m_pendingUnit = 0;
        if (units[count - 1] >= 0xD800 && units[count - 1] <= 0xDBFF)
            m_pendingUnit = units[--count];
        text.append(units, static_cast<int32_t>(count));
        m_text = VKF::toUtf8(text);
        return m_text.size();
    }

    HANDLE m_handle;
    bool m_console;
    std::streambuf& m_output;
    DWORD& m_error;
    std::string m_text;
    wchar_t m_pendingUnit = 0;
};

} // namespace

struct CStandardStreams::CImpl {
    DWORD writeError = 0;
    DWORD readError = 0;
    COutputBuffer outputBuffer{writeError};
    CInputBuffer inputBuffer{outputBuffer, readError};
    std::ostream output{&outputBuffer};
    std::istream input{&inputBuffer};
};

CStandardStreams::CStandardStreams() : m_impl(std::make_unique<CImpl>())
{
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
    return isConsole(GetStdHandle(STD_INPUT_HANDLE)) && isConsole(GetStdHandle(STD_OUTPUT_HANDLE));
}

void CStandardStreams::abandonLinesOnCtrlC()
{
    SetConsoleCtrlHandler(onControlEvent, TRUE);
}

std::vector<std::string> utf8Arguments(int argc, char** argv)
{
    int count = 0;
    wchar_t** arguments = CommandLineToArgvW(GetCommandLineW(), &count);
    if (arguments == nullptr)
        return std::vector<std::string>(argv, argv + argc);
    std::vector<std::string> texts;
    for (int k = 0; k < count; ++k)
        texts.push_back(VKF::toUtf8(VKF::CString(arguments[k])));
    LocalFree(arguments);
    return texts;
}

std::string CStandardStreams::lastError() const
{
    DWORD error = m_impl->writeError != 0 ? m_impl->writeError : m_impl->readError;
    wchar_t* message = nullptr;
    DWORD length = FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM
                                      | FORMAT_MESSAGE_IGNORE_INSERTS,
                                  nullptr, error, 0, reinterpret_cast<wchar_t*>(&message), 0,
                                  nullptr);
    if (length == 0 || message == nullptr)
        return "error " + std::to_string(error);
    while (length > 0 && (message[length - 1] == L'\r' || message[length - 1] == L'\n'
                          || message[length - 1] == L' ' || message[length - 1] == L'.'))
        --length;
    std::string text = VKF::toUtf8(VKF::CString(message, static_cast<int32_t>(length)));
    LocalFree(message);
    return text;
}
