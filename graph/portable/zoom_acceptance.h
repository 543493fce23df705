// The zoom dialog's texts and OK check: from the five fields to new axis settings.
#pragma once

#include "foundation/dialog_message.h"
#include "foundation/string.h"
#include "graph/portable/graph_axes.h"

namespace VKCL {
class CCalculator;
}

// The zoom dialog's fields, each text whole.
class CZoomFields {
public:
    VKF::CString xFrom;
    VKF::CString xTo;
    VKF::CString yFrom;
    VKF::CString yTo;
    VKF::CString axisValues;
};

// The texts the dialog opens with: each bound in the engine's 13-digit notation, the tick count
// as a decimal integer.
CZoomFields zoomFields(const CGraphAxes& axes);

// Runs the dialog's OK check: evaluates the bounds in the order x from, x to, y from, y to as the
// body of ___dummy() (unassigned again after the last), then reads the tick count: digits only,
// blanks around them allowed, 1 through 15. Returns the new axes, or the first message to show,
// after which the dialog stays open. No order of the bounds is required: a reversed or empty
// range is accepted. Throws VKF::CException only when out of memory.
CCheckOutcome<CGraphAxes> acceptZoom(VKCL::CCalculator& calculator, const CZoomFields& fields);
