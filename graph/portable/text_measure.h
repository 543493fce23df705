// How the scene learns the size of a label: the drawing layer measures it in the label font.
#pragma once

#include <cstdint>

#include "foundation/string.h"

class CTextSize {
public:
    int32_t width = 0;
    int32_t height = 0;
};

class CTextMeasure {
public:
    virtual ~CTextMeasure() = default;
    // The size of text's box in pixels, as GetTextExtentPoint32W gives it for the label font.
    virtual CTextSize measure(const VKF::CString& text) = 0;
};
