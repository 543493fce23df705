// A console session on the engine over lines of UTF-8 text.
#include "cli/session.h"

#include <new>
#include <ostream>

#include "cli/line_reader.h"
#include "engine/calculator.h"
#include "foundation/exception.h"
#include "foundation/utf8.h"

namespace {

// A line that is not UTF-8 never reaches the engine; the decoder's message says where it broke.
const char* const ILLEGAL_INPUT_PREFIX = "Illegal input: ";

// The window console shows failures other than language errors as "Error" boxes.
const char* const ERROR_PREFIX = "Error: ";

// The one-line-per-line contract must hold even if some text ever carried a line break.
std::string singleLine(std::string text)
{
    for (char& c : text) {
        if (c == '\n' || c == '\r')
            c = ' ';
    }
    return text;
}

} // namespace

std::string CStatementSession::execute(const std::string& line)
{
    VKF::CString input;
    try {
        input = VKF::fromUtf8(line);
    } catch (const VKF::CException& e) {
        return singleLine(ILLEGAL_INPUT_PREFIX + VKF::toUtf8(e.toString()));
    }
    try {
        VKF::CString output;
        m_calculator.executeStatement(input, output);
        return singleLine(VKF::toUtf8(output));
    } catch (const VKF::CException& e) {
        return singleLine(ERROR_PREFIX + VKF::toUtf8(e.toString()));
    } catch (const std::bad_alloc&) {
        return std::string(ERROR_PREFIX) + "Out of memory.";
    }
}

CStatementSession::End CStatementSession::run(CLineReader& reader, std::ostream& output,
                                               const std::string& prompt)
{
    std::string line;
    while (reader.readLine(prompt, line)) {
        reader.remember(line);
        output << execute(line) << '\n';
        if (!output)
            return End::WriteFailed;
    }
    output.flush();
    if (!output)
        return End::WriteFailed;
    return reader.failed() ? End::ReadFailed : End::InputEnded;
}
