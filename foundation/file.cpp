// Replacing a file only once its new contents are complete, and the extension test: the parts
// common to every platform.
#include "foundation/file.h"

#include "foundation/file_system.h"

namespace VKF {

namespace {

void writeInto(const CString& path, const std::function<void(CFile& file)>& write)
{
    CFile file;
    file.open(path);
    write(file);
}

} // namespace

void replaceFileAfterWriting(const CString& path, const std::function<void(CFile& file)>& write)
{
    const CString fresh = platform::createFileBeside(path);
    if (!fresh.isEmpty()) {
        try {
            writeInto(fresh, write);
        } catch (...) {
            platform::removeFile(fresh);
            throw;
        }
        if (platform::moveFileOver(fresh, path))
            return;
        platform::removeFile(fresh);
    }
    writeInto(path, write);
}

bool hasExtension(const CString& path, const UChar* extension)
{
    const int32_t length = textLength(extension);
    const int32_t start = path.length() - length;
    if (start < 0)
        return false;
    for (int32_t index = 0; index < length; ++index) {
        UChar unit = path[start + index];
        if (unit >= 'A' && unit <= 'Z')
            unit = UChar(unit - 'A' + 'a');
        if (unit != extension[index])
            return false;
    }
    return true;
}

} // namespace VKF
