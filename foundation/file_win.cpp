// The write-only file and the file-system calls on Windows: kernel file handles.
#include "foundation/file.h"

#include <windows.h>

#include "foundation/exception.h"
#include "foundation/file_system.h"

namespace VKF {

CFile::~CFile()
{
    close();
}

void CFile::open(const CString& path)
{
    if (m_handle != nullptr)
        throw CException(VKF_T("VKF::CFile::open - File already open."));
    HANDLE file = CreateFileW(path.characters(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        throw CException(VKF_T("VKF::CFile::open - Failed opening file."));
    m_handle = file;
}

void CFile::write(const CString& text)
{
    writeBytes(text.characters(), std::size_t(text.length()) * 2);
}

void CFile::writeBytes(const void* bytes, std::size_t size)
{
    DWORD written = 0;
    if (m_handle == nullptr || size > MAXDWORD
        || SetFilePointer(m_handle, 0, nullptr, FILE_END) == INVALID_SET_FILE_POINTER
        || !WriteFile(m_handle, bytes, DWORD(size), &written, nullptr) || written != size)
        throw CException(VKF_T("VKF::CFile::write - Error writing file."));
}

void CFile::close() noexcept
{
    if (m_handle != nullptr) {
        CloseHandle(m_handle);
        m_handle = nullptr;
    }
}

bool fileExists(const CString& path)
{
    HANDLE file = CreateFileW(path.characters(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                              nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    CloseHandle(file);
    return true;
}

bool pathIsTaken(const CString& path)
{
    return fileExists(path) || GetFileAttributesW(path.characters()) != INVALID_FILE_ATTRIBUTES;
}

namespace platform {

CString createFileBeside(const CString& path)
{
    const UChar* characters = path.characters();
    int32_t folderLength = 0;
    for (int32_t index = 0; index < path.length(); ++index) {
        if (characters[index] == L'\\' || characters[index] == L'/' || characters[index] == L':')
            folderLength = index + 1;
    }
    const CString folder = folderLength > 0 ? path.substring(0, folderLength) : CString(L".");
    wchar_t fresh[MAX_PATH] = {};
    if (GetTempFileNameW(folder.characters(), L"tlx", 0, fresh) == 0)
        return CString();
    return CString(fresh);
}

namespace {

// Replacing a file deletes it, which a program that has it open usually forbids. Asking first also
// spares a folder the temporary file that Wine's ReplaceFileW leaves behind when it fails.
bool canReplace(const CString& path)
{
    HANDLE file = CreateFileW(path.characters(), GENERIC_WRITE | DELETE,
                              FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    CloseHandle(file);
    return true;
}

} // namespace

// An existing file is replaced by ReplaceFileW, which gives the new file the old one's attributes,
// security and creation time. Wine's keeps no attributes, so they are set again where they differ.
// A plain move is for a new name and for where ReplaceFileW fails: a volume without its support,
// or a replaced file that it removed without moving the new one into place.
bool moveFileOver(const CString& from, const CString& to)
{
    const DWORD attributes = GetFileAttributesW(to.characters());
    if (attributes != INVALID_FILE_ATTRIBUTES) {
        if ((attributes & FILE_ATTRIBUTE_DIRECTORY) || !canReplace(to))
            return false;
        if (ReplaceFileW(to.characters(), from.characters(), nullptr, REPLACEFILE_IGNORE_MERGE_ERRORS, nullptr,
                         nullptr)) {
            if (GetFileAttributesW(to.characters()) != attributes)
                SetFileAttributesW(to.characters(), attributes);
            return true;
        }
    }
    return MoveFileExW(from.characters(), to.characters(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
}

void removeFile(const CString& path)
{
    DeleteFileW(path.characters());
}

} // namespace platform

} // namespace VKF
