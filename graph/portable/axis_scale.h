// One axis of the graph picture: the linear map between graph values and pixel positions.
#pragma once

#include <cstdint>
#include <vector>

#include "foundation/display_scale.h"

// The picture is PICTURE_SIZE × PICTURE_SIZE pixels; positions run from 0 to LAST_PIXEL.
inline constexpr int32_t PICTURE_SIZE = 400;
inline constexpr int32_t LAST_PIXEL = PICTURE_SIZE - 1;

// The picture's side at a display scale: PICTURE_SIZE at 96 dpi.
constexpr int32_t pictureSize(CDisplayScale scale) noexcept
{
    return scale.scaled(PICTURE_SIZE);
}

// Where the value 0 lies along an axis: at or beyond the "from" end, at or beyond the "to" end, or
// strictly between them.
enum class ZeroPlace : uint8_t { FromEnd, ToEnd, Between };

// Maps from..to onto the positions 0..lastPixel (399 for the 400-pixel picture, more for one drawn
// larger on a display of more dots per inch), in either direction: a range with from > to is
// drawn mirrored. A span that overflows (from −1E308 to 1E308) is worked on
// halves of the values, so every range of finite ends maps correctly.
class CAxisScale {
public:
    CAxisScale(double from, double to, int32_t lastPixel = LAST_PIXEL) noexcept;

    // Both ends finite and distinct: only then are there positions, ticks and plot lines.
    bool isDrawable() const noexcept;

    // (value − from) / (to − from) × lastPixel, not rounded: outside 0..lastPixel for values outside the
    // range, and infinite or undefined for an axis that is not drawable.
    double position(double value) const noexcept;

    // The position of the value 2 × halfValue: halves of values far outside the range do not
    // overflow where the values themselves would.
    double positionOfHalved(double halfValue) const noexcept;

    // The value at a position: from at 0 and to at lastPixel exactly; for a zero span always from.
    double valueAt(double position) const noexcept;

    // The centres of the count equal intervals of the range, from the "from" end on, each
    // strictly inside the range; none for an axis that is not drawable.
    std::vector<double> ticks(int32_t count) const;

    // Whether neighbouring samples a and b differ by less than the whole span (in either
    // direction); a jump of the span or more is a pole or a gap and stays open.
    bool isWithinSpan(double a, double b) const noexcept;

    ZeroPlace zeroPlace() const noexcept;

    // The range widened by margin pixels at both ends, as halves of graph values (which cannot
    // overflow); an end too far to express is infinite.
    void halvedBounds(double margin, double& low, double& high) const noexcept;

private:
    double m_from;
    double m_to;
    double m_span;
    int32_t m_lastPixel;
    // to/2 − from/2: finite for every pair of finite ends.
    double m_halfSpan;
};
