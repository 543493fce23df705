// A write-only file, the existence and extension tests used before overwriting, and replacing a
// file only once its new contents are complete.
#pragma once

#include <cstddef>
#include <functional>

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
    // Appends size bytes at the end of the file.
    void writeBytes(const void* bytes, std::size_t size);
    void close() noexcept;
    bool isOpen() const noexcept { return m_handle != nullptr; }

private:
    void* m_handle = nullptr;
};

// True when an existing file at path can be opened for reading (read and write sharing allowed).
bool fileExists(const CString& path);
// True when anything has the name path, also a file locked against reading or a folder: saving
// there would replace it or fail, so the user is asked first.
bool pathIsTaken(const CString& path);
// True when path ends in extension (".txt"), whatever the case of its ASCII letters.
bool hasExtension(const CString& path, const UChar* extension);

// Writes a whole file through write, which receives it open and throws on failure. The contents go
// to a fresh file beside path that replaces path only once write has returned, so a failure leaves
// an existing file as it was and no fresh file behind; the failure is then rethrown. Where the
// folder takes no new file, or path cannot be replaced (locked, read-only, a folder), write goes
// straight into path: opening it then fails with CFile's message and leaves it alone.
void replaceFileAfterWriting(const CString& path, const std::function<void(CFile& file)>& write);

} // namespace VKF
