// A function name with its evaluated arguments: how a call is handed to the function-call step.
#pragma once

#include <cstdint>
#include <vector>

#include "engine/value.h"
#include "foundation/string.h"

namespace VKCL {

class CFunctionCall : public VKF::CStringCastable {
public:
    CFunctionCall() = default;
    explicit CFunctionCall(const VKF::CString& name) : m_name(name) {}

    const VKF::CString& name() const noexcept { return m_name; }
    void setName(const VKF::CString& name) { m_name = name; }

    void addArgument(const CValue& value) { m_arguments.push_back(value); }
    void clearArguments() noexcept { m_arguments.clear(); }
    const std::vector<CValue>& arguments() const noexcept { return m_arguments; }
    const CValue& argument(int index) const { return m_arguments.at(std::size_t(index)); }
    int argumentCount() const noexcept { return int(m_arguments.size()); }

    // name(argument,argument,...) with the arguments in result notation and no blanks.
    VKF::CString toString() const override;

private:
    VKF::CString m_name;
    std::vector<CValue> m_arguments;
};

} // namespace VKCL
