// The growable UTF-16 string used for all text, and the interface of everything that prints itself.
#pragma once

#include <cstdint>

namespace VKF {

// One UTF-16 code unit: wchar_t on Windows (where it is 16 bits), char16_t elsewhere.
#if defined(_WIN32)
using UChar = wchar_t;
#define VKF_T(text) L##text
#else
using UChar = char16_t;
#define VKF_T(text) u##text
#endif

class CString;

class CStringCastable {
public:
    virtual ~CStringCastable() = default;
    virtual CString toString() const = 0;
};

// Owns one heap block whose capacity is always a multiple of 16 units and greater than the
// length; the unit at position length is 0. A string that never had storage is empty.
class CString : public CStringCastable {
public:
    CString() noexcept = default;
    CString(const UChar* text);
    CString(const UChar* text, int32_t count);
    CString(const CString& other);
    CString(CString&& other) noexcept;
    ~CString() override;

    CString& operator=(const UChar* text);
    CString& operator=(const CString& other);
    CString& operator=(CString&& other) noexcept;

    CString& operator+=(const UChar* text);
    CString& operator+=(const CString& other);
    CString& operator+=(const CStringCastable& object);
    CString& operator+=(UChar unit);
    // Appends count units of text (which need not be terminated).
    CString& append(const UChar* text, int32_t count);

    // The unit at index; index may equal the length (the terminator).
    UChar operator[](int32_t index) const;
    // Units first .. last-1.
    CString substring(int32_t first, int32_t last) const;

    int32_t length() const noexcept { return m_length; }
    int32_t capacity() const noexcept { return m_capacity; }
    bool isEmpty() const noexcept { return m_length == 0; }
    // Never null: a string without storage gives an empty text.
    const UChar* characters() const noexcept;

    // Sizes the block for n more units (after the present ones if keep, else from 0).
    void resize(int32_t n, bool keep);

    CString toString() const override;

    // Exact comparison of code units: case-sensitive, no normalisation.
    bool operator==(const CString& other) const noexcept;
    bool operator!=(const CString& other) const noexcept { return !(*this == other); }
    bool equals(const UChar* text, int32_t count) const noexcept;

private:
    void assign(const UChar* text, int32_t count);
    void setBlock(int32_t capacity);
    void release() noexcept;

    void* m_handle = nullptr;
    int32_t m_length = 0;
    int32_t m_capacity = 0;
    UChar* m_characters = nullptr;
};

CString operator+(CString left, const CString& right);
CString operator+(CString left, const UChar* right);
CString operator+(CString left, const CStringCastable& right);
CString operator+(const UChar* left, const CString& right);

// Number of units before the terminator.
int32_t textLength(const UChar* text) noexcept;

} // namespace VKF
