// The write-only file and the file-system calls off Windows: POSIX descriptors, paths in UTF-8.
#include "foundation/file.h"

#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <fcntl.h>
#include <string>
#include <vector>
#include <sys/stat.h>
#include <unistd.h>

#include "foundation/exception.h"
#include "foundation/file_system.h"
#include "foundation/utf8.h"

namespace VKF {

namespace {

// The handle field holds descriptor + 1, so that descriptor 0 is not mistaken for "closed".
int descriptorOf(void* handle)
{
    return int(reinterpret_cast<std::intptr_t>(handle) - 1);
}

void* handleOf(int descriptor)
{
    return reinterpret_cast<void*>(std::intptr_t(descriptor) + 1);
}

bool writeAll(int descriptor, const unsigned char* bytes, std::size_t size)
{
    while (size > 0) {
        const ssize_t written = ::write(descriptor, bytes, size);
        if (written < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        bytes += written;
        size -= std::size_t(written);
    }
    return true;
}

} // namespace

CFile::~CFile()
{
    close();
}

void CFile::open(const CString& path)
{
    if (m_handle != nullptr)
        throw CException(VKF_T("VKF::CFile::open - File already open."));
    const int descriptor = ::open(toUtf8(path).c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
    if (descriptor < 0)
        throw CException(VKF_T("VKF::CFile::open - Failed opening file."));
    m_handle = handleOf(descriptor);
}

void CFile::write(const CString& text)
{
    // UTF-16 little-endian whatever the byte order of the machine.
    std::vector<unsigned char> bytes;
    bytes.reserve(std::size_t(text.length()) * 2);
    const UChar* units = text.characters();
    for (int32_t i = 0; i < text.length(); ++i) {
        const auto unit = uint16_t(units[i]);
        bytes.push_back(static_cast<unsigned char>(unit & 0xFF));
        bytes.push_back(static_cast<unsigned char>(unit >> 8));
    }
    writeBytes(bytes.data(), bytes.size());
}

void CFile::writeBytes(const void* bytes, std::size_t size)
{
    const int descriptor = descriptorOf(m_handle);
    if (m_handle == nullptr || ::lseek(descriptor, 0, SEEK_END) < 0
        || !writeAll(descriptor, static_cast<const unsigned char*>(bytes), size))
        throw CException(VKF_T("VKF::CFile::write - Error writing file."));
}

void CFile::close() noexcept
{
    if (m_handle != nullptr) {
        ::close(descriptorOf(m_handle));
        m_handle = nullptr;
    }
}

bool fileExists(const CString& path)
{
    const int descriptor = ::open(toUtf8(path).c_str(), O_RDONLY | O_CLOEXEC);
    if (descriptor < 0)
        return false;
    // A directory opens for reading here but not on Windows: it is no file.
    struct stat status {};
    const bool isFile = ::fstat(descriptor, &status) == 0 && !S_ISDIR(status.st_mode);
    ::close(descriptor);
    return isFile;
}

bool pathIsTaken(const CString& path)
{
    struct stat status {};
    return ::stat(toUtf8(path).c_str(), &status) == 0;
}

namespace platform {

CString createFileBeside(const CString& path)
{
    const std::string target = toUtf8(path);
    const std::size_t slash = target.rfind('/');
    const std::string folder = slash == std::string::npos ? std::string() : target.substr(0, slash + 1);
    // Named after the process and a count; a name already taken is passed over.
    static unsigned counter = 0;
    for (int attempt = 0; attempt < 100; ++attempt) {
        const std::string fresh = folder + ".tlx" + std::to_string(::getpid())
                                  + "-" + std::to_string(++counter) + ".tmp";
        const int descriptor = ::open(fresh.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (descriptor >= 0) {
            ::close(descriptor);
            return fromUtf8(fresh);
        }
        if (errno != EEXIST)
            break;
    }
    return CString();
}

bool moveFileOver(const CString& from, const CString& to)
{
    return ::rename(toUtf8(from).c_str(), toUtf8(to).c_str()) == 0;
}

void removeFile(const CString& path)
{
    ::unlink(toUtf8(path).c_str());
}

} // namespace platform

} // namespace VKF
