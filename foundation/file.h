// A write-only file of UTF-16 little-endian text, and the existence test used before overwriting.
#pragma once

#include "foundation/string.h"

namespace VKF {

class CFile {
public:
    CFile() = default;
    CFile(const CFile&) = delete;
    CFile& operator=(const CFile&) = delete;
    ~CFile();

    // Creates the file, or truncates an existing one, for writing only and without sharing.
    void open(const CString& path);
    // Appends the string's units at the end of the file: no terminator, no byte-order mark.
    void write(const CString& text);
    void close() noexcept;
    bool isOpen() const noexcept { return m_handle != nullptr; }

private:
    void* m_handle = nullptr;
};

// True when an existing file at path can be opened for reading (read and write sharing allowed).
bool fileExists(const CString& path);

} // namespace VKF
