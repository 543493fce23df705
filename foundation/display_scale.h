// The factor by which the program's own layouts grow with the display's dots per inch.
#pragma once

#include <cstdint>

// Lengths are designed for 96 dots per inch and scaled by dpi / 96. The dpi is held to the
// range Windows offers (100 % to 500 %), so that a stray setting neither shrinks the windows
// below their design nor makes them too large to draw.
class CDisplayScale {
public:
    static constexpr int32_t DESIGN_DPI = 96;
    static constexpr int32_t MAX_DPI = 480;

    constexpr CDisplayScale() noexcept = default;
    explicit constexpr CDisplayScale(int32_t dpi) noexcept
        : m_dpi(dpi < DESIGN_DPI ? DESIGN_DPI : dpi > MAX_DPI ? MAX_DPI : dpi)
    {
    }

    constexpr int32_t dpi() const noexcept { return m_dpi; }
    constexpr bool isDesignSize() const noexcept { return m_dpi == DESIGN_DPI; }

    // length × dpi / 96, rounded half up; unchanged at 96 dpi. For lengths of at least 0.
    constexpr int32_t scaled(int32_t length) const noexcept
    {
        return (length * m_dpi + DESIGN_DPI / 2) / DESIGN_DPI;
    }

private:
    int32_t m_dpi = DESIGN_DPI;
};
