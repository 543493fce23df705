// Label sizes without a device: the label font's advance widths.
#include "cli/label_metrics.h"

#include <cmath>

#include "graph/portable/graph_scene.h"

namespace {

// Advance widths in font units (2,048 per em) of the characters a tick label can hold; any other
// character counts as wide as a digit.
struct CAdvance {
    VKF::UChar character;
    int units;
};
const CAdvance ADVANCES[] = {
    {'-', 682}, {'+', 1196}, {'.', 569}, {'E', 1366}, {'e', 1139}, {'i', 455},
    {'f', 569}, {'n', 1139}, {'a', 1139}, {' ', 569}, {'I', 569},  {'N', 1479},
};
constexpr int DIGIT_UNITS = 1139;
constexpr int UNITS_PER_EM = 2048;

int advance(VKF::UChar character)
{
    int units = DIGIT_UNITS;
    for (const CAdvance& entry : ADVANCES) {
        if (entry.character == character)
            units = entry.units;
    }
    return static_cast<int>(std::lround(double(units) * LABEL_EM / UNITS_PER_EM));
}

} // namespace

CTextSize CLabelMetrics::measure(const VKF::CString& text)
{
    CTextSize size{0, LABEL_FONT_HEIGHT};
    for (int32_t k = 0; k < text.length(); ++k)
        size.width += advance(text.characters()[k]);
    return size;
}
