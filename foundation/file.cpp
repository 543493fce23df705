// Replacing a file only once its new contents are complete: the part common to every platform.
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

} // namespace VKF
