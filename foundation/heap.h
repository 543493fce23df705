// The movable heap behind CString: blocks are kept by handle and locked to get their address.
#pragma once

#include <cstddef>

namespace VKF::heap {

using Handle = void*;

// A new block of bytes, or null when the heap is exhausted.
Handle allocate(std::size_t bytes) noexcept;
// Resizes the (unlocked) block keeping its contents; null on failure, the old block then stays valid.
Handle reallocate(Handle block, std::size_t bytes) noexcept;
void free(Handle block) noexcept;
void* lock(Handle block) noexcept;
void unlock(Handle block) noexcept;

} // namespace VKF::heap
