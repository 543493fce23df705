// What the fuzz targets share: their bytes read as text, and the engine's question answered by bits.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "engine/confirmation.h"
#include "foundation/string.h"

// Answers the k-th question with bit k mod 8 of answers.
class CByteConfirmation : public VKCL::CConfirmation {
public:
    explicit CByteConfirmation(std::uint8_t answers) : m_answers(answers) {}
    bool confirm(const VKF::CString&) override { return (m_answers >> (m_asked++ % 8)) & 1; }

private:
    std::uint8_t m_answers;
    unsigned m_asked = 0;
};

// The bytes as lenient UTF-8: a byte that starts no valid sequence is taken as the code unit of
// the same value, so that plain text seeds work as they are and every input is some text.
VKF::CString lenientUtf8(const std::uint8_t* data, std::size_t size);

// The bytes as lines of lenient UTF-8, split at LF; at least one, possibly empty.
std::vector<VKF::CString> lenientLines(const std::uint8_t* data, std::size_t size);

class CGraphAxes;

// Stops the run with what went wrong and the field texts that led there.
[[noreturn]] void failWith(const char* target, const char* what, const std::vector<VKF::CString>& texts);

// Axes a check accepted: finite bounds and 1 through 15 ticks; else failWith.
void checkAxes(const char* target, const CGraphAxes& axes, const std::vector<VKF::CString>& texts);
