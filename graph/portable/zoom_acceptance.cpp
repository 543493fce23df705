// The zoom dialog's texts and OK check: from the five fields to new axis settings.
#include "graph/portable/zoom_acceptance.h"

#include <cstdint>
#include <limits>
#include <string>

#include "engine/auxiliary_function.h"
#include "engine/characters.h"
#include "engine/number_format.h"
#include "foundation/exception.h"
#include "graph/portable/field_function.h"

namespace {

const VKF::UChar* const COMPLEX_BOUND_MESSAGE = VKF_T("Complex value.");
const VKF::UChar* const AXIS_VALUES_UNREADABLE = VKF_T("Error parsing value from 'Axis values' field.");
// "Axis value", singular and without a full stop, is the text users know from this box.
const VKF::UChar* const AXIS_VALUES_OUT_OF_RANGE =
    VKF_T("The 'Axis value' field must be an integer in the range of 1 through 15");

class CBound {
public:
    VKF::CString CZoomFields::*field;
    double CGraphAxes::*value;
    const VKF::UChar* failurePrefix;
};

// In the order they are evaluated.
const CBound BOUNDS[] = {
    {&CZoomFields::xFrom, &CGraphAxes::xFrom, VKF_T("Error computing lower x value:\r\n")},
    {&CZoomFields::xTo, &CGraphAxes::xTo, VKF_T("Error computing upper x value:\r\n")},
    {&CZoomFields::yFrom, &CGraphAxes::yFrom, VKF_T("Error computing lower y value:\r\n")},
    {&CZoomFields::yTo, &CGraphAxes::yTo, VKF_T("Error computing upper y value:\r\n")},
};

// An unsigned decimal number with blanks around it; empty, other characters or more than 32
// bits cannot be read.
bool readCount(const VKF::CString& text, uint32_t& count)
{
    int32_t first = 0, last = text.length();
    while (first < last && VKCL::isBlank(text[first]))
        ++first;
    while (last > first && VKCL::isBlank(text[last - 1]))
        --last;
    if (first == last)
        return false;
    uint64_t value = 0;
    for (int32_t i = first; i < last; ++i) {
        const VKF::UChar unit = text[i];
        if (!VKCL::isDigit(unit))
            return false;
        value = value * 10 + uint64_t(unit - VKF_T('0'));
        if (value > std::numeric_limits<uint32_t>::max())
            return false;
    }
    count = uint32_t(value);
    return true;
}

} // namespace

CZoomFields zoomFields(const CGraphAxes& axes)
{
    CZoomFields fields;
    for (const CBound& bound : BOUNDS)
        fields.*bound.field = VKCL::formatNumber(axes.*bound.value, VKCL::RESULT_DIGITS);
    const std::string count = std::to_string(axes.axisValues);
    for (const char digit : count)
        fields.axisValues += VKF::UChar(digit);
    return fields;
}

CCheckOutcome<CGraphAxes> acceptZoom(VKCL::CCalculator& calculator, const CZoomFields& fields)
{
    CGraphAxes axes;
    VKCL::CAuxiliaryFunction field(calculator, FIELD_FUNCTION_NAME);
    for (const CBound& bound : BOUNDS) {
        try {
            const VKCL::CValue value = field.evaluate(fields.*bound.field);
            if (!value.isReal())
                throw VKF::CException(COMPLEX_BOUND_MESSAGE);
            axes.*bound.value = value.real();
        } catch (const VKF::CException& error) {
            return CDialogMessage{bound.failurePrefix + error.toString()};
        }
    }
    field.forget();
    uint32_t count = 0;
    if (!readCount(fields.axisValues, count))
        return CDialogMessage{AXIS_VALUES_UNREADABLE};
    if (count < 1 || count > uint32_t(MAX_AXIS_VALUES))
        return CDialogMessage{AXIS_VALUES_OUT_OF_RANGE};
    axes.axisValues = int32_t(count);
    return axes;
}
