// The symbol tables of the engine: user-defined constants (variables) and functions.
#include "engine/tables.h"

#include <cstring>

#include "engine/language_error.h"

namespace VKCL {

namespace {

const VKF::UChar* const CONSTANT_GET_MESSAGE = VKF_T("Bug: CConstantTable::get called with invalid index.");
const VKF::UChar* const CONSTANT_REPLACE_MESSAGE = VKF_T("Bug: CConstantTable::replace called with invalid index.");
const VKF::UChar* const FUNCTION_GET_MESSAGE = VKF_T("Bug: CFunctionTable::get called with invalid name.");
const VKF::UChar* const FUNCTION_REPLACE_MESSAGE = VKF_T("Bug: CFunctionTable::replace called with invalid index.");

bool isValidIndex(int32_t index, std::size_t size) noexcept
{
    return index >= 0 && std::size_t(index) < size;
}

// Both tables keep a name list beside an entry list; these keep the two the same length.
template <typename Entry>
void addEntry(std::vector<VKF::CString>& names, std::vector<Entry>& entries,
              const VKF::CString& name, const Entry& entry)
{
    names.push_back(name);
    try {
        entries.push_back(entry);
    } catch (...) {
        names.pop_back();
        throw;
    }
}

template <typename Entry>
void removeEntry(std::vector<VKF::CString>& names, std::vector<Entry>& entries, int32_t index)
{
    names.erase(names.begin() + index);
    entries.erase(entries.begin() + index);
}

} // namespace

int32_t findName(const VKF::CString* names, int32_t count, CNameView name) noexcept
{
    const auto length = int32_t(name.size());
    if (length == 0) {
        for (int32_t i = 0; i < count; ++i) {
            if (names[i].isEmpty())
                return i;
        }
        return -1;
    }
    // Numbered names (f1, f2, ___g_x, ___g_y) differ in their last unit.
    const VKF::UChar last = name[std::size_t(length) - 1];
    const VKF::UChar first = name[0];
    for (int32_t i = 0; i < count; ++i) {
        const VKF::CString& candidate = names[i];
        if (candidate.length() != length)
            continue;
        const VKF::UChar* units = candidate.characters();
        if (units[length - 1] == last && units[0] == first
            && std::memcmp(units, name.data(), std::size_t(length) * sizeof(VKF::UChar)) == 0)
            return i;
    }
    return -1;
}

int32_t CConstantTable::indexOf(CNameView name) const noexcept
{
    return findName(m_names.data(), size(), name);
}

void CConstantTable::add(const VKF::CString& name, const CValue& value)
{
    addEntry(m_names, m_values, name, value);
}

void CConstantTable::remove(int32_t index)
{
    removeEntry(m_names, m_values, index);
}

CValue CConstantTable::get(int32_t index) const
{
    if (!isValidIndex(index, m_values.size()))
        fail(CONSTANT_GET_MESSAGE);
    return m_values[std::size_t(index)];
}

void CConstantTable::replace(int32_t index, const CValue& value)
{
    if (!isValidIndex(index, m_values.size()))
        fail(CONSTANT_REPLACE_MESSAGE);
    m_values[std::size_t(index)] = value;
}

int32_t CFunctionTable::indexOf(CNameView name) const noexcept
{
    return findName(m_names.data(), size(), name);
}

void CFunctionTable::add(const VKF::CString& name, const CExpression& body)
{
    addEntry(m_names, m_bodies, name, body);
}

void CFunctionTable::remove(int32_t index)
{
    removeEntry(m_names, m_bodies, index);
}

const CExpression& CFunctionTable::get(const VKF::CString& name) const
{
    const int32_t index = indexOf(name);
    if (index < 0)
        fail(FUNCTION_GET_MESSAGE);
    return m_bodies[std::size_t(index)];
}

void CFunctionTable::replace(int32_t index, const CExpression& body)
{
    if (!isValidIndex(index, m_bodies.size()))
        fail(FUNCTION_REPLACE_MESSAGE);
    m_bodies[std::size_t(index)] = body;
}

} // namespace VKCL
