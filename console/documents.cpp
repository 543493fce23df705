// Finding and opening the program's documents.
#include "console/documents.h"

#include <shellapi.h>

namespace {

bool isFile(const std::wstring& path)
{
    const DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

// The folder of the running program, with its final backslash; empty if it cannot be read.
std::wstring programFolder()
{
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length = GetModuleFileNameW(nullptr, path.data(), DWORD(path.size()));
        if (length == 0)
            return {};
        if (length < path.size()) {
            path.resize(length);
            break;
        }
        if (path.size() >= 32768)
            return {};
        path.resize(path.size() * 2);
    }
    return path.substr(0, path.find_last_of(L"\\/") + 1);
}

} // namespace

std::wstring findDocument(const wchar_t* file)
{
    if (isFile(file))
        return file;
    const std::wstring folder = programFolder();
    if (!folder.empty() && isFile(folder + file))
        return folder + file;
    return {};
}

bool openDocument(HWND owner, const wchar_t* file)
{
    const std::wstring path = findDocument(file);
    if (path.empty())
        return false;
    HINSTANCE result = ShellExecuteW(owner, L"open", path.c_str(), nullptr, nullptr, SW_SHOW);
    return reinterpret_cast<INT_PTR>(result) != ERROR_FILE_NOT_FOUND;
}
