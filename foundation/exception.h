// The exception family: every failure of the program is thrown as one of these, by value.
#pragma once

#include <new>
#include <stdexcept>

#include "foundation/string.h"

namespace VKF {

class CException : public CStringCastable {
public:
    CException() = default;
    explicit CException(const CString& message) : m_message(message) {}
    // The message, or "Generic exception." when it is empty.
    CString toString() const override;
    const CString& message() const noexcept { return m_message; }

private:
    CString m_message;
};

class COutOfMemoryException : public CException {
public:
    CString toString() const override;
};

// The result of work, with the standard library's ways of running out of memory (std::bad_alloc,
// and std::length_error for a size beyond what a container can hold) thrown as
// COutOfMemoryException.
template <typename Work>
decltype(auto) translateOutOfMemory(Work&& work)
{
    try {
        return work();
    } catch (const std::bad_alloc&) {
        throw COutOfMemoryException();
    } catch (const std::length_error&) {
        throw COutOfMemoryException();
    }
}

} // namespace VKF

namespace VKCL {

// Every syntax, name, domain and arithmetic error of the expression engine.
class CSyntaxException : public VKF::CException {
public:
    explicit CSyntaxException(const VKF::CString& message) : CException(message) {}
    // The message unchanged, also when it is empty.
    VKF::CString toString() const override;
};

} // namespace VKCL
