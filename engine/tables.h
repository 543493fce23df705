// The symbol tables of the engine: user-defined constants (variables) and functions.
#pragma once

#include <cstdint>
#include <vector>

#include "engine/expression.h"
#include "engine/value.h"
#include "foundation/string.h"

namespace VKCL {

// Names with their values, in the order they were added; a name occurs at most once.
class CConstantTable {
public:
    // Index of the entry with exactly this name, or -1.
    int32_t indexOf(const VKF::CString& name) const noexcept { return indexOf(viewOf(name)); }
    int32_t indexOf(CNameView name) const noexcept;
    void add(const VKF::CString& name, const CValue& value);
    // Erases the entry at index, moving later entries down; index must come from indexOf.
    void remove(int32_t index);
    CValue get(int32_t index) const;
    void replace(int32_t index, const CValue& value);
    int32_t size() const noexcept { return int32_t(m_names.size()); }
    const VKF::CString& nameAt(int32_t index) const { return m_names.at(std::size_t(index)); }

private:
    std::vector<VKF::CString> m_names;
    std::vector<CValue> m_values;
};

// Names with their compiled bodies, in the order they were added; a name occurs at most once.
class CFunctionTable {
public:
    int32_t indexOf(const VKF::CString& name) const noexcept { return indexOf(viewOf(name)); }
    int32_t indexOf(CNameView name) const noexcept;
    void add(const VKF::CString& name, const CExpression& body);
    void remove(int32_t index);
    // The stored body of the entry with that name; callers copy it before changing it.
    const CExpression& get(const VKF::CString& name) const;
    // The stored body at an index from indexOf.
    const CExpression& bodyAt(int32_t index) const { return m_bodies.at(std::size_t(index)); }
    void replace(int32_t index, const CExpression& body);
    int32_t size() const noexcept { return int32_t(m_names.size()); }
    const VKF::CString& nameAt(int32_t index) const { return m_names.at(std::size_t(index)); }

private:
    std::vector<VKF::CString> m_names;
    std::vector<CExpression> m_bodies;
};

// Index of the first name in names[0..count) equal to name, or -1. Lengths and the last and
// first units are compared before the rest, which settles almost every mismatch.
int32_t findName(const VKF::CString* names, int32_t count, CNameView name) noexcept;

} // namespace VKCL
