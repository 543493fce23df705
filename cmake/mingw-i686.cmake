# Cross-compiles for 32-bit Windows, the product build.
set(CMAKE_SYSTEM_PROCESSOR i686)
set(TOOLCHAIN_PREFIX i686-w64-mingw32)

# Doubles in SSE2 registers, not x87 ones: otherwise intermediate results keep extra range and
# precision depending on register allocation, and the engine's overflow and zero tests and its
# printed digits differ from the native build (abs(1E200+1E200i) would not overflow).
set(CMAKE_C_FLAGS_INIT "-msse2 -mfpmath=sse")
set(CMAKE_CXX_FLAGS_INIT "-msse2 -mfpmath=sse")

include(${CMAKE_CURRENT_LIST_DIR}/mingw.cmake)
