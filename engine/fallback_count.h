// How many results needed the 113-bit route because the fast evaluation could not decide their
// rounding: the benchmarks report it as a share of their calls.
#pragma once

#include <cstdint>

namespace VKCL {

void countFallback() noexcept;
std::uint64_t fallbackCount() noexcept;

} // namespace VKCL
