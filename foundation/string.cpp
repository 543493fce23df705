// The growable UTF-16 string on the movable heap.
#include "foundation/string.h"

#include <cstdint>
#include <cstring>
#include <utility>

#include "foundation/exception.h"
#include "foundation/heap.h"

namespace VKF {

namespace {

const UChar* const RESIZE_MESSAGE = VKF_T("VKF::CString::resize - illegal parameters (cannot shrink past length).");
const UChar* const SUBSTRING_MESSAGE = VKF_T("VKF::CString::substring() - illegal parameters.");
const UChar* const INDEX_MESSAGE = VKF_T("VKF::CString::operator[] - illegal parameters (index out of bounds).");

const UChar EMPTY_TEXT[1] = {0};

// Keeps capacity * sizeof(UChar) within a 32-bit size_t and capacity within int32_t.
constexpr int64_t MAX_CAPACITY = 0x3FFFFFF0;

// The smallest multiple of 16 strictly greater than needed.
constexpr int64_t capacityFor(int64_t needed)
{
    return (needed / 16 + 1) * 16;
}

bool pointsInto(const UChar* text, const UChar* block, int32_t capacity) noexcept
{
    const auto address = reinterpret_cast<std::uintptr_t>(text);
    const auto start = reinterpret_cast<std::uintptr_t>(block);
    return block != nullptr && address >= start && address < start + std::uintptr_t(capacity) * sizeof(UChar);
}

void copyUnits(UChar* target, const UChar* source, int32_t count) noexcept
{
    if (count > 0)
        std::memmove(target, source, std::size_t(count) * sizeof(UChar));
}

} // namespace

int32_t textLength(const UChar* text) noexcept
{
    if (text == nullptr)
        return 0;
    const UChar* end = text;
    while (*end != 0)
        ++end;
    return int32_t(end - text);
}

CString::CString(const UChar* text)
{
    assign(text, textLength(text));
}

// Same capacity as appending the units one at a time: the smallest multiple of 16 above count.
CString::CString(const UChar* text, int32_t count)
{
    if (count < 0)
        throw CException(RESIZE_MESSAGE);
    if (count == 0)
        return;
    if (count >= MAX_CAPACITY)
        throw COutOfMemoryException();
    setBlock(int32_t(capacityFor(count)));
    copyUnits(m_characters, text, count);
    m_length = count;
    m_characters[count] = 0;
}

CString::CString(const CString& other)
{
    if (other.m_handle != nullptr)
        assign(other.m_characters, other.m_length);
}

CString::CString(CString&& other) noexcept
    : m_handle(std::exchange(other.m_handle, nullptr)),
      m_length(std::exchange(other.m_length, 0)),
      m_capacity(std::exchange(other.m_capacity, 0)),
      m_characters(std::exchange(other.m_characters, nullptr))
{
}

CString::~CString()
{
    release();
}

CString& CString::operator=(const UChar* text)
{
    assign(text, textLength(text));
    return *this;
}

CString& CString::operator=(const CString& other)
{
    if (other.m_handle == nullptr && m_handle == nullptr)
        return *this;
    assign(other.characters(), other.m_length);
    return *this;
}

CString& CString::operator=(CString&& other) noexcept
{
    if (this != &other) {
        release();
        m_handle = std::exchange(other.m_handle, nullptr);
        m_length = std::exchange(other.m_length, 0);
        m_capacity = std::exchange(other.m_capacity, 0);
        m_characters = std::exchange(other.m_characters, nullptr);
    }
    return *this;
}

CString& CString::operator+=(const UChar* text)
{
    return append(text, textLength(text));
}

CString& CString::operator+=(const CString& other)
{
    return append(other.characters(), other.m_length);
}

CString& CString::operator+=(const CStringCastable& object)
{
    const CString text = object.toString();
    return append(text.characters(), text.m_length);
}

CString& CString::operator+=(UChar unit)
{
    if (m_length + 1 < m_capacity) {
        m_characters[m_length] = unit;
        m_characters[++m_length] = 0;
        return *this;
    }
    return append(&unit, 1);
}

CString& CString::append(const UChar* text, int32_t count)
{
    // Text taken from this very string must be found again after the block moves.
    const bool aliased = pointsInto(text, m_characters, m_capacity);
    const std::ptrdiff_t offset = aliased ? text - m_characters : 0;
    resize(count, true);
    if (aliased)
        text = m_characters + offset;
    copyUnits(m_characters + m_length, text, count);
    m_length += count;
    m_characters[m_length] = 0;
    return *this;
}

void CString::assign(const UChar* text, int32_t count)
{
    if (pointsInto(text, m_characters, m_capacity)) {
        // Shrinking the block could cut off the source: build the copy apart, then take its block.
        CString copy;
        copy.assign(text, count);
        *this = std::move(copy);
        return;
    }
    const int32_t oldLength = m_length;
    m_length = count;
    try {
        resize(count, false);
    } catch (...) {
        m_length = oldLength;
        throw;
    }
    copyUnits(m_characters, text, count);
    m_characters[count] = 0;
}

UChar CString::operator[](int32_t index) const
{
    if (uint32_t(index) > uint32_t(m_length))
        throw CException(INDEX_MESSAGE);
    return characters()[index];
}

CString CString::substring(int32_t first, int32_t last) const
{
    if (first >= last || last > m_length)
        throw CException(SUBSTRING_MESSAGE);
    // The units are read with the index's bounds rule, which a negative first breaks.
    if (first < 0)
        throw CException(INDEX_MESSAGE);
    return CString(m_characters + first, last - first);
}

const UChar* CString::characters() const noexcept
{
    return m_characters != nullptr ? m_characters : EMPTY_TEXT;
}

void CString::resize(int32_t n, bool keep)
{
    if (n < 0)
        throw CException(RESIZE_MESSAGE);
    const int64_t needed = (keep ? int64_t(m_length) : 0) + n + 1;
    if (needed >= MAX_CAPACITY)
        throw COutOfMemoryException();
    const auto capacity = int32_t(capacityFor(needed));
    if (uint32_t(capacity) < uint32_t(m_length))
        throw CException(RESIZE_MESSAGE);
    if (m_handle != nullptr && capacity == m_capacity)
        return;
    setBlock(capacity);
}

// Gives the string a block of exactly capacity units; on failure the string is unchanged.
void CString::setBlock(int32_t capacity)
{
    const std::size_t bytes = std::size_t(capacity) * sizeof(UChar);
    if (m_handle == nullptr) {
        heap::Handle block = heap::allocate(bytes);
        if (block == nullptr)
            throw COutOfMemoryException();
        auto* characters = static_cast<UChar*>(heap::lock(block));
        if (characters == nullptr) {
            heap::free(block);
            throw COutOfMemoryException();
        }
        m_handle = block;
        m_characters = characters;
        m_characters[m_length] = 0;
    } else {
        heap::unlock(m_handle);
        heap::Handle block = heap::reallocate(m_handle, bytes);
        if (block == nullptr) {
            m_characters = static_cast<UChar*>(heap::lock(m_handle));
            throw COutOfMemoryException();
        }
        m_handle = block;
        m_characters = static_cast<UChar*>(heap::lock(block));
    }
    m_capacity = capacity;
}

CString CString::toString() const
{
    return *this;
}

bool CString::operator==(const CString& other) const noexcept
{
    return equals(other.characters(), other.m_length);
}

bool CString::equals(const UChar* text, int32_t count) const noexcept
{
    return m_length == count
        && (count == 0 || std::memcmp(m_characters, text, std::size_t(count) * sizeof(UChar)) == 0);
}

void CString::release() noexcept
{
    if (m_handle != nullptr) {
        heap::unlock(m_handle);
        heap::free(m_handle);
    }
    m_handle = nullptr;
    m_length = 0;
    m_capacity = 0;
    m_characters = nullptr;
}

CString operator+(CString left, const CString& right)
{
    left += right;
    return left;
}

CString operator+(CString left, const UChar* right)
{
    left += right;
    return left;
}

CString operator+(CString left, const CStringCastable& right)
{
    left += right;
    return left;
}

CString operator+(const UChar* left, const CString& right)
{
    CString result(left);
    result += right;
    return result;
}

} // namespace VKF
