// The string heap on Windows: movable blocks of the process's local heap.
#include "foundation/heap.h"

#include <windows.h>

namespace VKF::heap {

// A process has at most 65,536 movable blocks; past that a fixed block serves, which locks,
// re-sizes and frees through the same calls.
Handle allocate(std::size_t bytes) noexcept
{
    HLOCAL block = LocalAlloc(LMEM_MOVEABLE, bytes);
    if (block == nullptr)
        block = LocalAlloc(LMEM_FIXED, bytes);
    return block;
}

Handle reallocate(Handle block, std::size_t bytes) noexcept
{
    return LocalReAlloc(static_cast<HLOCAL>(block), bytes, LMEM_MOVEABLE);
}

void free(Handle block) noexcept
{
    LocalFree(static_cast<HLOCAL>(block));
}

void* lock(Handle block) noexcept
{
    return LocalLock(static_cast<HLOCAL>(block));
}

void unlock(Handle block) noexcept
{
    LocalUnlock(static_cast<HLOCAL>(block));
}

} // namespace VKF::heap
