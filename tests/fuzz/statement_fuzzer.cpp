// libFuzzer target: arbitrary lines, one after another, through executeStatement.
//
// The first byte picks how the rest is read:
//   0xFF  UTF-16 code units, little-endian, any value (lone surrogates, NUL, ...);
//   0xFE  UTF-8 through the command-line session (strict decoding, round trip checked);
//   else  the whole input as lenient UTF-8 (a byte that starts no valid sequence is taken as
//         the code unit of the same value), so that plain text seeds work as they are.
// Lines end at LF. The k-th reassignment question is answered with bit k mod 8 of the last byte.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "cli/session.h"
#include "engine/calculator.h"
#include "foundation/exception.h"
#include "foundation/string.h"
#include "foundation/utf8.h"
#include "fuzz_support.h"

namespace {

[[noreturn]] void fail(const char* what, const VKF::CString& line)
{
    std::fprintf(stderr, "statement fuzzer: %s for the line \"%s\"\n", what, VKF::toUtf8(line).c_str());
    std::abort();
}

void execute(VKCL::CCalculator& calculator, const VKF::CString& line)
{
    VKF::CString output;
    try {
        calculator.executeStatement(line, output);
    } catch (const VKF::CException&) {
        // Only resource failures may escape; the fuzzer's memory limit is far below them.
        fail("exception escaped executeStatement", line);
    }
    if (output.isEmpty())
        fail("empty output", line);
}

void runUtf16(VKCL::CCalculator& calculator, const std::uint8_t* data, std::size_t size)
{
    VKF::CString line;
    for (std::size_t i = 0; i + 1 < size; i += 2) {
        auto unit = static_cast<VKF::UChar>(data[i] | (data[i + 1] << 8));
        if (unit == VKF_T('\n')) {
            execute(calculator, line);
            line = VKF::CString();
        } else {
            line += unit;
        }
    }
    execute(calculator, line);
}

void runLenientUtf8(VKCL::CCalculator& calculator, const std::uint8_t* data, std::size_t size)
{
    for (const VKF::CString& line : lenientLines(data, size))
        execute(calculator, line);
}

void runSession(VKCL::CCalculator& calculator, const std::uint8_t* data, std::size_t size)
{
    CStatementSession session(calculator);
    std::string text(reinterpret_cast<const char*>(data), size);
    std::size_t start = 0;
    for (;;) {
        std::size_t end = text.find('\n', start);
        std::string line = text.substr(start, end == std::string::npos ? std::string::npos : end - start);
        std::string output = session.execute(line);
        if (output.empty() || output.find('\n') != std::string::npos)
            fail("not one output line", VKF::CString());
        // Text that decodes must come back byte for byte.
        try {
            if (VKF::toUtf8(VKF::fromUtf8(line)) != line)
                fail("UTF-8 round trip changed the text", VKF::fromUtf8(line));
        } catch (const VKF::CException&) {
        }
        if (end == std::string::npos)
            break;
        start = end + 1;
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size == 0)
        return 0;
    CByteConfirmation confirmation(data[size - 1]);
    VKCL::CCalculator calculator(confirmation);
    if (data[0] == 0xFF)
        runUtf16(calculator, data + 1, size - 1);
    else if (data[0] == 0xFE)
        runSession(calculator, data + 1, size - 1);
    else
        runLenientUtf8(calculator, data, size);
    return 0;
}
