# libjpeg (the IJG interface of version 62): Debian's natively; for Windows the static library
# scripts/bootstrap builds for each target under TALLIMEX_DEPS.
if(WIN32)
    set(jpeg_prefix "${TALLIMEX_DEPS}/${CMAKE_SYSTEM_PROCESSOR}/libjpeg")
    find_path(JPEG_INCLUDE_DIR jpeglib.h PATHS "${jpeg_prefix}/include" NO_DEFAULT_PATH NO_CMAKE_FIND_ROOT_PATH)
    find_library(JPEG_LIBRARY_RELEASE libjpeg.a PATHS "${jpeg_prefix}/lib" NO_DEFAULT_PATH NO_CMAKE_FIND_ROOT_PATH)
endif()
find_package(JPEG 62 EXACT REQUIRED)
