// Shared by the tests: a path as the program's text, a file's bytes, the message an action throws.
#pragma once

#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>

#include "foundation/exception.h"
#include "foundation/string.h"
#include "foundation/utf8.h"

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

// "(no exception)" when action throws nothing.
inline std::string messageOf(const std::function<void()>& action)
{
    try {
        action();
    } catch (const VKF::CException& error) {
        return VKF::toUtf8(error.toString());
    }
    return "(no exception)";
}
