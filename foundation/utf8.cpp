// Strict conversion between UTF-16 strings and UTF-8 bytes.
#include "foundation/utf8.h"

#include <cstdint>
#include <string>

#include "foundation/exception.h"

namespace VKF {

namespace {

CException malformedAt(std::size_t offset)
{
    const std::string text = "Malformed UTF-8 at byte " + std::to_string(offset) + ".";
    CString message;
    for (char c : text)
        message += UChar(c);
    return CException(message);
}

void appendCodePoint(std::string& out, uint32_t code)
{
    if (code < 0x80) {
        out += char(code);
    } else if (code < 0x800) {
        out += char(0xC0 | (code >> 6));
        out += char(0x80 | (code & 0x3F));
    } else if (code < 0x10000) {
        out += char(0xE0 | (code >> 12));
        out += char(0x80 | ((code >> 6) & 0x3F));
        out += char(0x80 | (code & 0x3F));
    } else {
        out += char(0xF0 | (code >> 18));
        out += char(0x80 | ((code >> 12) & 0x3F));
        out += char(0x80 | ((code >> 6) & 0x3F));
        out += char(0x80 | (code & 0x3F));
    }
}

bool isHighSurrogate(uint32_t unit) { return unit >= 0xD800 && unit <= 0xDBFF; }
bool isLowSurrogate(uint32_t unit) { return unit >= 0xDC00 && unit <= 0xDFFF; }

} // namespace

std::string toUtf8(const CString& text)
{
    std::string out;
    out.reserve(std::size_t(text.length()));
    const UChar* units = text.characters();
    const int32_t length = text.length();
    for (int32_t i = 0; i < length; ++i) {
        uint32_t code = uint16_t(units[i]);
        if (isHighSurrogate(code) && i + 1 < length && isLowSurrogate(uint16_t(units[i + 1]))) {
            code = 0x10000 + ((code - 0xD800) << 10) + (uint16_t(units[i + 1]) - 0xDC00);
            ++i;
        } else if (isHighSurrogate(code) || isLowSurrogate(code)) {
            code = 0xFFFD;
        }
        appendCodePoint(out, code);
    }
    return out;
}

CString fromUtf8(const std::string& bytes)
{
    // Collected apart and copied once: the string grows its block 16 units at a time, which
    // makes unit-by-unit appends quadratic for long lines wherever re-allocation copies.
    std::basic_string<UChar> out;
    out.reserve(bytes.size());
    const std::size_t size = bytes.size();
    std::size_t i = 0;
    while (i < size) {
        const std::size_t start = i;
        const auto lead = uint8_t(bytes[i++]);
        if (lead < 0x80) {
            out += UChar(lead);
            continue;
        }
        int trailing;
        uint32_t code;
        uint32_t minimum;
        if (lead >= 0xC2 && lead <= 0xDF) {
            trailing = 1;
            code = lead & 0x1F;
            minimum = 0x80;
        } else if (lead >= 0xE0 && lead <= 0xEF) {
            trailing = 2;
            code = lead & 0x0F;
            minimum = 0x800;
        } else if (lead >= 0xF0 && lead <= 0xF4) {
            trailing = 3;
            code = lead & 0x07;
            minimum = 0x10000;
        } else {
            // A stray continuation byte, an overlong lead (C0, C1) or a lead beyond U+10FFFF.
            throw malformedAt(start);
        }
        for (int k = 0; k < trailing; ++k) {
            if (i >= size || (uint8_t(bytes[i]) & 0xC0) != 0x80)
                throw malformedAt(start);
            code = (code << 6) | (uint8_t(bytes[i++]) & 0x3F);
        }
        if (code < minimum || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF))
            throw malformedAt(start);
        if (code >= 0x10000) {
            code -= 0x10000;
            out += UChar(0xD800 + (code >> 10));
            out += UChar(0xDC00 + (code & 0x3FF));
        } else {
            out += UChar(code);
        }
    }
    if (out.size() > std::size_t(INT32_MAX))
        throw COutOfMemoryException();
    return CString(out.data(), int32_t(out.size()));
}

} // namespace VKF
