// The count of 113-bit fallbacks.
#include "engine/fallback_count.h"

#include <atomic>

namespace VKCL {

namespace {

std::atomic<std::uint64_t> fallbacks{0};

} // namespace

void countFallback() noexcept
{
    fallbacks.fetch_add(1, std::memory_order_relaxed);
}

std::uint64_t fallbackCount() noexcept
{
    return fallbacks.load(std::memory_order_relaxed);
}

} // namespace VKCL
