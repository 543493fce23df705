// What the fuzz targets share: their bytes read as text.
#include "fuzz_support.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "foundation/utf8.h"
#include "graph/portable/graph_axes.h"

namespace {

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

} // namespace

VKF::CString lenientUtf8(const std::uint8_t* data, std::size_t size)
{
    VKF::CString text;
    std::size_t i = 0;
    while (i < size) {
        std::uint32_t codePoint = 0;
        std::size_t length = decodeUtf8(data + i, size - i, codePoint);
        if (length == 0) {
            text += static_cast<VKF::UChar>(data[i]);
            ++i;
        } else if (codePoint >= 0x10000) {
            codePoint -= 0x10000;
            text += static_cast<VKF::UChar>(0xD800 + (codePoint >> 10));
            text += static_cast<VKF::UChar>(0xDC00 + (codePoint & 0x3FF));
            i += length;
        } else {
            text += static_cast<VKF::UChar>(codePoint);
            i += length;
        }
    }
    return text;
}

// No UTF-8 sequence holds the byte LF, so splitting before decoding splits the text.
std::vector<VKF::CString> lenientLines(const std::uint8_t* data, std::size_t size)
{
    std::vector<VKF::CString> lines;
    std::size_t start = 0;
    for (std::size_t i = 0; i <= size; ++i) {
        if (i == size || data[i] == '\n') {
            lines.push_back(lenientUtf8(data + start, i - start));
            start = i + 1;
        }
    }
    return lines;
}

void failWith(const char* target, const char* what, const std::vector<VKF::CString>& texts)
{
    std::fprintf(stderr, "%s: %s for the fields\n", target, what);
    for (const VKF::CString& text : texts)
        std::fprintf(stderr, "  \"%s\"\n", VKF::toUtf8(text).c_str());
    std::abort();
}

void checkAxes(const char* target, const CGraphAxes& axes, const std::vector<VKF::CString>& texts)
{
    for (double bound : {axes.xFrom, axes.xTo, axes.yFrom, axes.yTo}) {
        if (!std::isfinite(bound))
            failWith(target, "an axis bound is not finite", texts);
    }
    if (axes.axisValues < 1 || axes.axisValues > MAX_AXIS_VALUES)
        failWith(target, "the tick count is out of range", texts);
}
