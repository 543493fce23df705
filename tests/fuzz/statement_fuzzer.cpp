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
#include "engine/confirmation.h"
#include "foundation/exception.h"
#include "foundation/string.h"
#include "foundation/utf8.h"

namespace {

class CByteConfirmation : public VKCL::CConfirmation {
public:
    explicit CByteConfirmation(std::uint8_t answers) : m_answers(answers) {}
    bool confirm(const VKF::CString&) override { return (m_answers >> (m_asked++ % 8)) & 1; }

private:
    std::uint8_t m_answers;
    unsigned m_asked = 0;
};

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

// Length of the valid UTF-8 sequence at text, or 0; its code point in codePoint.
std::size_t decodeUtf8(const std::uint8_t* text, std::size_t size, std::uint32_t& codePoint)
{
    std::uint8_t lead = text[0];
    std::size_t length = lead < 0x80 ? 1 : (lead & 0xE0) == 0xC0 ? 2 : (lead & 0xF0) == 0xE0 ? 3
        : (lead & 0xF8) == 0xF0 ? 4 : 0;
    if (length == 0 || length > size)
        return 0;
    codePoint = length == 1 ? lead : lead & (0x7F >> length);
    for (std::size_t i = 1; i < length; ++i) {
        if ((text[i] & 0xC0) != 0x80)
            return 0;
        codePoint = (codePoint << 6) | (text[i] & 0x3F);
    }
    static const std::uint32_t smallest[] = {0, 0, 0x80, 0x800, 0x10000};
    if (codePoint < smallest[length] || codePoint > 0x10FFFF || (codePoint >= 0xD800 && codePoint < 0xE000))
        return 0;
    return length;
}

void runLenientUtf8(VKCL::CCalculator& calculator, const std::uint8_t* data, std::size_t size)
{
    VKF::CString line;
    std::size_t i = 0;
    while (i < size) {
        if (data[i] == '\n') {
            execute(calculator, line);
            line = VKF::CString();
            ++i;
            continue;
        }
        std::uint32_t codePoint = 0;
        std::size_t length = decodeUtf8(data + i, size - i, codePoint);
        if (length == 0) {
            line += static_cast<VKF::UChar>(data[i]);
            ++i;
        } else if (codePoint >= 0x10000) {
            codePoint -= 0x10000;
            line += static_cast<VKF::UChar>(0xD800 + (codePoint >> 10));
            line += static_cast<VKF::UChar>(0xDC00 + (codePoint & 0x3FF));
            i += length;
        } else {
            line += static_cast<VKF::UChar>(codePoint);
            i += length;
        }
    }
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
