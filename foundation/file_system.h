// The platform's file-system calls behind replaceFileAfterWriting.
#pragma once

#include "foundation/string.h"

namespace VKF::platform {

// Creates a fresh empty file in the folder of path and gives its name; an empty string when the
// folder takes no new file.
CString createFileBeside(const CString& path);
// Moves the file from over the file to, replacing it; false when to cannot be replaced. On Windows
// the replaced file's attributes survive.
bool moveFileOver(const CString& from, const CString& to);
void removeFile(const CString& path);

} // namespace VKF::platform
