// The built-in names: the reserved-name list, the built-in functions and the arity message.
#include "engine/functions.h"

#include <iterator>

#include "engine/language_error.h"

namespace VKCL {

void appendReservedNames(std::vector<VKF::CString>& names)
{
    static const VKF::UChar* const RESERVED[RESERVED_NAME_COUNT] = {
        VKF_T("pi"), VKF_T("e"), VKF_T("i"), VKF_T("\u03C0"), VKF_T("ans"),
        VKF_T("sqrt"), VKF_T("ln"), VKF_T("sin"), VKF_T("cos"), VKF_T("tan"),
        VKF_T("log"), VKF_T("arcsin"), VKF_T("arccos"), VKF_T("arctan"), VKF_T("sinh"),
        VKF_T("cosh"), VKF_T("tanh"), VKF_T("arcsinh"), VKF_T("arccosh"), VKF_T("arctanh"),
        VKF_T("exp"), VKF_T("abs"), VKF_T("arg"), VKF_T("Im"), VKF_T("Re"),
        VKF_T("E"),
    };
    for (const VKF::UChar* name : RESERVED)
        names.emplace_back(name);
}

VKF::CString arityMessage(CNameView name, uint32_t parameterCount)
{
    VKF::CString message = named(VKF_T("Function '"), name, VKF_T("' takes "));
    message += CValue(double(parameterCount), 0);
    message += parameterCount == 1 ? VKF_T(" parameter.") : VKF_T(" parameters.");
    return message;
}

CValue applyBuiltInFunction(int32_t position, const CValue& argument)
{
    // The operations of positions FIRST_RESERVED_FUNCTION (sqrt) to arg, in list order.
    using COperation = void (*)(CValue&);
    static const COperation OPERATIONS[] = {
        [](CValue& z) { z.sqrt(); },    [](CValue& z) { z.ln(); },      [](CValue& z) { z.sin(); },
        [](CValue& z) { z.cos(); },     [](CValue& z) { z.tan(); },     [](CValue& z) { z.log(); },
        [](CValue& z) { z.arcsin(); },  [](CValue& z) { z.arccos(); },  [](CValue& z) { z.arctan(); },
        [](CValue& z) { z.sinh(); },    [](CValue& z) { z.cosh(); },    [](CValue& z) { z.tanh(); },
        [](CValue& z) { z.arcsinh(); }, [](CValue& z) { z.arccosh(); }, [](CValue& z) { z.arctanh(); },
        [](CValue& z) { z.exp(); },     [](CValue& z) { z.abs(); },     [](CValue& z) { z.arg(); },
    };
    static_assert(FIRST_RESERVED_FUNCTION + int32_t(std::size(OPERATIONS)) == RESERVED_IM);
    if (position == RESERVED_IM)
        return CValue(argument.imaginary(), 0);
    if (position == RESERVED_RE)
        return CValue(argument.real(), 0);
    CValue result = argument;
    OPERATIONS[position - FIRST_RESERVED_FUNCTION](result);
    return result;
}

} // namespace VKCL
