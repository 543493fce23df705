// Files in tests: a path as the program's text, and a file's bytes.
#pragma once

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "foundation/string.h"

inline VKF::CString pathText(const std::filesystem::path& path)
{
#if defined(_WIN32)
    return VKF::CString(path.wstring().c_str());
#else
    return VKF::CString(path.u16string().c_str());
#endif
}

// "<no file>" when it cannot be read.
inline std::string bytesOf(const std::filesystem::path& path)
{
    std::ifstream file(path, std::ios::binary);
    return file ? std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()) : "<no file>";
}
