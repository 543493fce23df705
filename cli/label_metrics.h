// Label sizes without a device: the label font's advance widths, for pictures drawn off screen.
#pragma once

#include "graph/portable/text_measure.h"

// The label font (Arial, cells 10 pixels high) as GDI lays it out: each character's advance
// rounded to whole pixels at 9 pixels per em.
class CLabelMetrics : public CTextMeasure {
public:
    CTextSize measure(const VKF::CString& text) override;
};

// Where a label's baseline lies below the top of its box, in pixels.
inline constexpr int LABEL_ASCENT = 8;
// The label font's size in pixels per em.
inline constexpr int LABEL_EM = 9;
