// The string heap off Windows: the C allocator, where a handle is the block's address.
#include "foundation/heap.h"

#include <cstdlib>

namespace VKF::heap {

Handle allocate(std::size_t bytes) noexcept
{
    return std::malloc(bytes);
}

Handle reallocate(Handle block, std::size_t bytes) noexcept
{
    return std::realloc(block, bytes);
}

void free(Handle block) noexcept
{
    std::free(block);
}

void* lock(Handle block) noexcept
{
    return block;
}

void unlock(Handle) noexcept {}

} // namespace VKF::heap
