// The write-only file on Windows: kernel file handles.
#include "foundation/file.h"

#include <windows.h>

#include "foundation/exception.h"

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
    const DWORD size = DWORD(text.length()) * 2;
    DWORD written = 0;
    if (m_handle == nullptr
        || SetFilePointer(m_handle, 0, nullptr, FILE_END) == INVALID_SET_FILE_POINTER
        || !WriteFile(m_handle, text.characters(), size, &written, nullptr) || written != size)
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

} // namespace VKF
