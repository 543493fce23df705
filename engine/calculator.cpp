// The engine object: construction and the reserved-name test.
#include "engine/calculator.h"

#include "engine/functions.h"

namespace VKCL {

CCalculator::CCalculator(CConfirmation& confirmation) : m_confirmation(confirmation)
{
    appendReservedNames(m_reservedNames);
    // The list never changes again, so views into its strings stay valid.
    for (const VKF::CString& name : m_reservedNames) {
        m_reservedViews.push_back(viewOf(name));
        m_reservedLengths |= 1u << name.length();
    }
}

int32_t CCalculator::reservedIndex(CNameView name, int32_t first) const noexcept
{
    if (name.size() >= 32 || (m_reservedLengths & (1u << name.size())) == 0)
        return -1;
    const auto count = int32_t(m_reservedViews.size());
    for (int32_t position = first; position < count; ++position) {
        const CNameView reserved = m_reservedViews[std::size_t(position)];
        if (reserved.size() == name.size() && reserved[0] == name[0] && reserved == name)
            return position;
    }
    return -1;
}

bool CCalculator::confirm(const VKF::CString& question)
{
    return m_confirmation.confirm(question);
}

} // namespace VKCL
