// A label measure for the graph tests: 5 pixels per character, 10 high, as a 10-pixel font roughly.
#pragma once

#include "graph/portable/text_measure.h"

class CFixedMeasure : public CTextMeasure {
public:
    CTextSize measure(const VKF::CString& text) override { return {5 * text.length(), 10}; }
};
